<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="fr_FR">
<context>
    <name></name>
    <message id="P0105.short">
        <source>Capteur de pression d'admission : circuit</source>
        <translation>Capteur de pression d'admission : circuit</translation>
    </message>
    <message id="P0105.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de pression d'admission. Contrôlez le connecteur, l'alimentation 5 V, la masse et le fil de signal du capteur.</source>
        <translation>Le calculateur voit un défaut sur le circuit du capteur de pression d'admission. Contrôlez le connecteur, l'alimentation 5 V, la masse et le fil de signal du capteur.</translation>
    </message>
    <message id="P0106.short">
        <source>Capteur de pression d'admission : plage ou fonctionnement</source>
        <translation>Capteur de pression d'admission : plage ou fonctionnement</translation>
    </message>
    <message id="P0106.long">
        <source>La pression mesurée ne correspond pas au régime et à l'ouverture des gaz. Contrôlez le tuyau de prise de pression (fendu, débranché, bouché) et l'étanchéité de l'admission.</source>
        <translation>La pression mesurée ne correspond pas au régime et à l'ouverture des gaz. Contrôlez le tuyau de prise de pression (fendu, débranché, bouché) et l'étanchéité de l'admission.</translation>
    </message>
    <message id="P0107.short">
        <source>Capteur de pression d'admission : signal bas</source>
        <translation>Capteur de pression d'admission : signal bas</translation>
    </message>
    <message id="P0107.long">
        <source>La tension du capteur est trop basse : fil de signal coupé ou à la masse, ou alimentation 5 V absente. Contrôlez le connecteur et le faisceau.</source>
        <translation>La tension du capteur est trop basse : fil de signal coupé ou à la masse, ou alimentation 5 V absente. Contrôlez le connecteur et le faisceau.</translation>
    </message>
    <message id="P0108.short">
        <source>Capteur de pression d'admission : signal haut</source>
        <translation>Capteur de pression d'admission : signal haut</translation>
    </message>
    <message id="P0108.long">
        <source>La tension du capteur est trop haute : fil de signal en court-circuit avec le 5 V ou la batterie, ou masse du capteur coupée. Contrôlez le faisceau.</source>
        <translation>La tension du capteur est trop haute : fil de signal en court-circuit avec le 5 V ou la batterie, ou masse du capteur coupée. Contrôlez le faisceau.</translation>
    </message>
    <message id="P0109.short">
        <source>Capteur de pression d'admission : signal intermittent</source>
        <translation>Capteur de pression d'admission : signal intermittent</translation>
    </message>
    <message id="P0109.long">
        <source>Le signal du capteur de pression d'admission se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</source>
        <translation>Le signal du capteur de pression d'admission se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</translation>
    </message>
    <message id="P0110.short">
        <source>Capteur de température d'air : circuit</source>
        <translation>Capteur de température d'air : circuit</translation>
    </message>
    <message id="P0110.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de température d'air. Contrôlez le connecteur, le faisceau et la résistance du capteur (elle baisse quand la température monte).</source>
        <translation>Le calculateur voit un défaut sur le circuit du capteur de température d'air. Contrôlez le connecteur, le faisceau et la résistance du capteur (elle baisse quand la température monte).</translation>
    </message>
    <message id="P0111.short">
        <source>Capteur de température d'air : plage ou fonctionnement</source>
        <translation>Capteur de température d'air : plage ou fonctionnement</translation>
    </message>
    <message id="P0111.long">
        <source>La température d'air lue n'est pas plausible au regard de la température moteur et du temps de marche. Contrôlez l'emplacement du capteur (près d'une source de chaleur) et le capteur lui-même.</source>
        <translation>La température d'air lue n'est pas plausible au regard de la température moteur et du temps de marche. Contrôlez l'emplacement du capteur (près d'une source de chaleur) et le capteur lui-même.</translation>
    </message>
    <message id="P0112.short">
        <source>Capteur de température d'air : signal bas</source>
        <translation>Capteur de température d'air : signal bas</translation>
    </message>
    <message id="P0112.long">
        <source>Tension trop basse, le capteur indique une température très élevée : fil de signal en court-circuit à la masse ou capteur défectueux.</source>
        <translation>Tension trop basse, le capteur indique une température très élevée : fil de signal en court-circuit à la masse ou capteur défectueux.</translation>
    </message>
    <message id="P0113.short">
        <source>Capteur de température d'air : signal haut</source>
        <translation>Capteur de température d'air : signal haut</translation>
    </message>
    <message id="P0113.long">
        <source>Tension trop haute, le capteur indique une température très basse : circuit ouvert (connecteur débranché, fil coupé) ou capteur coupé.</source>
        <translation>Tension trop haute, le capteur indique une température très basse : circuit ouvert (connecteur débranché, fil coupé) ou capteur coupé.</translation>
    </message>
    <message id="P0114.short">
        <source>Capteur de température d'air : signal intermittent</source>
        <translation>Capteur de température d'air : signal intermittent</translation>
    </message>
    <message id="P0114.long">
        <source>Le signal du capteur de température d'air se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</source>
        <translation>Le signal du capteur de température d'air se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</translation>
    </message>
    <message id="P0115.short">
        <source>Capteur de température moteur : circuit</source>
        <translation>Capteur de température moteur : circuit</translation>
    </message>
    <message id="P0115.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de température moteur. Contrôlez le connecteur, le faisceau et la résistance du capteur (elle baisse quand le moteur chauffe).</source>
        <translation>Le calculateur voit un défaut sur le circuit du capteur de température moteur. Contrôlez le connecteur, le faisceau et la résistance du capteur (elle baisse quand le moteur chauffe).</translation>
    </message>
    <message id="P0116.short">
        <source>Capteur de température moteur : plage ou fonctionnement</source>
        <translation>Capteur de température moteur : plage ou fonctionnement</translation>
    </message>
    <message id="P0116.long">
        <source>La température moteur ne monte pas comme prévu ou n'est pas plausible. Contrôlez le thermostat, le niveau du liquide de refroidissement et le capteur.</source>
        <translation>La température moteur ne monte pas comme prévu ou n'est pas plausible. Contrôlez le thermostat, le niveau du liquide de refroidissement et le capteur.</translation>
    </message>
    <message id="P0117.short">
        <source>Capteur de température moteur : signal bas</source>
        <translation>Capteur de température moteur : signal bas</translation>
    </message>
    <message id="P0117.long">
        <source>Tension trop basse, le capteur indique un moteur très chaud : fil de signal en court-circuit à la masse ou capteur défectueux.</source>
        <translation>Tension trop basse, le capteur indique un moteur très chaud : fil de signal en court-circuit à la masse ou capteur défectueux.</translation>
    </message>
    <message id="P0118.short">
        <source>Capteur de température moteur : signal haut</source>
        <translation>Capteur de température moteur : signal haut</translation>
    </message>
    <message id="P0118.long">
        <source>Tension trop haute, le capteur indique un moteur très froid : circuit ouvert (connecteur débranché, fil coupé) ou capteur coupé.</source>
        <translation>Tension trop haute, le capteur indique un moteur très froid : circuit ouvert (connecteur débranché, fil coupé) ou capteur coupé.</translation>
    </message>
    <message id="P0119.short">
        <source>Capteur de température moteur : signal intermittent</source>
        <translation>Capteur de température moteur : signal intermittent</translation>
    </message>
    <message id="P0119.long">
        <source>Le signal du capteur de température moteur se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</source>
        <translation>Le signal du capteur de température moteur se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</translation>
    </message>
    <message id="P0120.short">
        <source>Capteur de position papillon : circuit</source>
        <translation>Capteur de position papillon : circuit</translation>
    </message>
    <message id="P0120.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de position papillon. Contrôlez le connecteur, l'alimentation 5 V, la masse et la piste du potentiomètre.</source>
        <translation>Le calculateur voit un défaut sur le circuit du capteur de position papillon. Contrôlez le connecteur, l'alimentation 5 V, la masse et la piste du potentiomètre.</translation>
    </message>
    <message id="P0121.short">
        <source>Capteur de position papillon : plage ou fonctionnement</source>
        <translation>Capteur de position papillon : plage ou fonctionnement</translation>
    </message>
    <message id="P0121.long">
        <source>L'angle papillon n'est pas cohérent avec la pression d'admission et le régime. Contrôlez le réglage du capteur et la butée de ralenti, puis refaites la mise à zéro du capteur (Reset TPS).</source>
        <translation>L'angle papillon n'est pas cohérent avec la pression d'admission et le régime. Contrôlez le réglage du capteur et la butée de ralenti, puis refaites la mise à zéro du capteur (Reset TPS).</translation>
    </message>
    <message id="P0122.short">
        <source>Capteur de position papillon : signal bas</source>
        <translation>Capteur de position papillon : signal bas</translation>
    </message>
    <message id="P0122.long">
        <source>La tension du capteur est trop basse : fil de signal coupé ou à la masse, ou alimentation 5 V absente. Contrôlez le connecteur et le faisceau.</source>
        <translation>La tension du capteur est trop basse : fil de signal coupé ou à la masse, ou alimentation 5 V absente. Contrôlez le connecteur et le faisceau.</translation>
    </message>
    <message id="P0123.short">
        <source>Capteur de position papillon : signal haut</source>
        <translation>Capteur de position papillon : signal haut</translation>
    </message>
    <message id="P0123.long">
        <source>La tension du capteur est trop haute : fil de signal en court-circuit avec le 5 V, ou masse du capteur coupée. Contrôlez le faisceau.</source>
        <translation>La tension du capteur est trop haute : fil de signal en court-circuit avec le 5 V, ou masse du capteur coupée. Contrôlez le faisceau.</translation>
    </message>
    <message id="P0124.short">
        <source>Capteur de position papillon : signal intermittent</source>
        <translation>Capteur de position papillon : signal intermittent</translation>
    </message>
    <message id="P0124.long">
        <source>Le signal décroche par moments, souvent sur une zone usée de la piste du potentiomètre. Ouvrez et refermez lentement les gaz en suivant l'angle affiché, et contrôlez le connecteur.</source>
        <translation>Le signal décroche par moments, souvent sur une zone usée de la piste du potentiomètre. Ouvrez et refermez lentement les gaz en suivant l'angle affiché, et contrôlez le connecteur.</translation>
    </message>
    <message id="P0125.short">
        <source>Température moteur trop basse pour la régulation</source>
        <translation>Température moteur trop basse pour la régulation</translation>
    </message>
    <message id="P0125.long">
        <source>Le moteur n'atteint pas à temps la température qui permet la régulation du mélange par la sonde lambda. Contrôlez le thermostat (bloqué ouvert) et le capteur de température moteur.</source>
        <translation>Le moteur n'atteint pas à temps la température qui permet la régulation du mélange par la sonde lambda. Contrôlez le thermostat (bloqué ouvert) et le capteur de température moteur.</translation>
    </message>
    <message id="P0130.short">
        <source>Sonde lambda banc 1 capteur 1 : circuit</source>
        <translation>Sonde lambda banc 1 capteur 1 : circuit</translation>
    </message>
    <message id="P0130.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 1 (avant le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 1 (avant le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</translation>
    </message>
    <message id="P0131.short">
        <source>Sonde lambda banc 1 capteur 1 : tension basse</source>
        <translation>Sonde lambda banc 1 capteur 1 : tension basse</translation>
    </message>
    <message id="P0131.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</translation>
    </message>
    <message id="P0132.short">
        <source>Sonde lambda banc 1 capteur 1 : tension haute</source>
        <translation>Sonde lambda banc 1 capteur 1 : tension haute</translation>
    </message>
    <message id="P0132.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</translation>
    </message>
    <message id="P0133.short">
        <source>Sonde lambda banc 1 capteur 1 : réponse lente</source>
        <translation>Sonde lambda banc 1 capteur 1 : réponse lente</translation>
    </message>
    <message id="P0133.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</translation>
    </message>
    <message id="P0134.short">
        <source>Sonde lambda banc 1 capteur 1 : aucune activité</source>
        <translation>Sonde lambda banc 1 capteur 1 : aucune activité</translation>
    </message>
    <message id="P0134.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</translation>
    </message>
    <message id="P0135.short">
        <source>Sonde lambda banc 1 capteur 1 : chauffage</source>
        <translation>Sonde lambda banc 1 capteur 1 : chauffage</translation>
    </message>
    <message id="P0135.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</translation>
    </message>
    <message id="P0136.short">
        <source>Sonde lambda banc 1 capteur 2 : circuit</source>
        <translation>Sonde lambda banc 1 capteur 2 : circuit</translation>
    </message>
    <message id="P0136.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 2 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 2 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</translation>
    </message>
    <message id="P0137.short">
        <source>Sonde lambda banc 1 capteur 2 : tension basse</source>
        <translation>Sonde lambda banc 1 capteur 2 : tension basse</translation>
    </message>
    <message id="P0137.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</translation>
    </message>
    <message id="P0138.short">
        <source>Sonde lambda banc 1 capteur 2 : tension haute</source>
        <translation>Sonde lambda banc 1 capteur 2 : tension haute</translation>
    </message>
    <message id="P0138.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</translation>
    </message>
    <message id="P0139.short">
        <source>Sonde lambda banc 1 capteur 2 : réponse lente</source>
        <translation>Sonde lambda banc 1 capteur 2 : réponse lente</translation>
    </message>
    <message id="P0139.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</translation>
    </message>
    <message id="P0140.short">
        <source>Sonde lambda banc 1 capteur 2 : aucune activité</source>
        <translation>Sonde lambda banc 1 capteur 2 : aucune activité</translation>
    </message>
    <message id="P0140.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</translation>
    </message>
    <message id="P0141.short">
        <source>Sonde lambda banc 1 capteur 2 : chauffage</source>
        <translation>Sonde lambda banc 1 capteur 2 : chauffage</translation>
    </message>
    <message id="P0141.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</translation>
    </message>
    <message id="P0142.short">
        <source>Sonde lambda banc 1 capteur 3 : circuit</source>
        <translation>Sonde lambda banc 1 capteur 3 : circuit</translation>
    </message>
    <message id="P0142.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 3 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 3 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</translation>
    </message>
    <message id="P0143.short">
        <source>Sonde lambda banc 1 capteur 3 : tension basse</source>
        <translation>Sonde lambda banc 1 capteur 3 : tension basse</translation>
    </message>
    <message id="P0143.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</translation>
    </message>
    <message id="P0144.short">
        <source>Sonde lambda banc 1 capteur 3 : tension haute</source>
        <translation>Sonde lambda banc 1 capteur 3 : tension haute</translation>
    </message>
    <message id="P0144.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</translation>
    </message>
    <message id="P0145.short">
        <source>Sonde lambda banc 1 capteur 3 : réponse lente</source>
        <translation>Sonde lambda banc 1 capteur 3 : réponse lente</translation>
    </message>
    <message id="P0145.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</translation>
    </message>
    <message id="P0146.short">
        <source>Sonde lambda banc 1 capteur 3 : aucune activité</source>
        <translation>Sonde lambda banc 1 capteur 3 : aucune activité</translation>
    </message>
    <message id="P0146.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</translation>
    </message>
    <message id="P0147.short">
        <source>Sonde lambda banc 1 capteur 3 : chauffage</source>
        <translation>Sonde lambda banc 1 capteur 3 : chauffage</translation>
    </message>
    <message id="P0147.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</translation>
    </message>
    <message id="P0148.short">
        <source>Erreur d'alimentation en carburant</source>
        <translation>Erreur d'alimentation en carburant</translation>
    </message>
    <message id="P0148.long">
        <source>Le débit d'essence ne correspond pas à la demande du calculateur. Contrôlez la pompe, le filtre et le régulateur de pression.</source>
        <translation>Le débit d'essence ne correspond pas à la demande du calculateur. Contrôlez la pompe, le filtre et le régulateur de pression.</translation>
    </message>
    <message id="P0149.short">
        <source>Erreur de calage de l'injection</source>
        <translation>Erreur de calage de l'injection</translation>
    </message>
    <message id="P0149.long">
        <source>Le moment de l'injection ne correspond pas à la consigne du calculateur. Contrôlez les capteurs vilebrequin et arbre à cames, puis le calage de la distribution.</source>
        <translation>Le moment de l'injection ne correspond pas à la consigne du calculateur. Contrôlez les capteurs vilebrequin et arbre à cames, puis le calage de la distribution.</translation>
    </message>
    <message id="P0150.short">
        <source>Sonde lambda banc 2 capteur 1 : circuit</source>
        <translation>Sonde lambda banc 2 capteur 1 : circuit</translation>
    </message>
    <message id="P0150.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 1 (avant le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 1 (avant le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</translation>
    </message>
    <message id="P0151.short">
        <source>Sonde lambda banc 2 capteur 1 : tension basse</source>
        <translation>Sonde lambda banc 2 capteur 1 : tension basse</translation>
    </message>
    <message id="P0151.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</translation>
    </message>
    <message id="P0152.short">
        <source>Sonde lambda banc 2 capteur 1 : tension haute</source>
        <translation>Sonde lambda banc 2 capteur 1 : tension haute</translation>
    </message>
    <message id="P0152.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</translation>
    </message>
    <message id="P0153.short">
        <source>Sonde lambda banc 2 capteur 1 : réponse lente</source>
        <translation>Sonde lambda banc 2 capteur 1 : réponse lente</translation>
    </message>
    <message id="P0153.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</translation>
    </message>
    <message id="P0154.short">
        <source>Sonde lambda banc 2 capteur 1 : aucune activité</source>
        <translation>Sonde lambda banc 2 capteur 1 : aucune activité</translation>
    </message>
    <message id="P0154.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</translation>
    </message>
    <message id="P0155.short">
        <source>Sonde lambda banc 2 capteur 1 : chauffage</source>
        <translation>Sonde lambda banc 2 capteur 1 : chauffage</translation>
    </message>
    <message id="P0155.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</translation>
    </message>
    <message id="P0156.short">
        <source>Sonde lambda banc 2 capteur 2 : circuit</source>
        <translation>Sonde lambda banc 2 capteur 2 : circuit</translation>
    </message>
    <message id="P0156.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 2 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 2 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</translation>
    </message>
    <message id="P0157.short">
        <source>Sonde lambda banc 2 capteur 2 : tension basse</source>
        <translation>Sonde lambda banc 2 capteur 2 : tension basse</translation>
    </message>
    <message id="P0157.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</translation>
    </message>
    <message id="P0158.short">
        <source>Sonde lambda banc 2 capteur 2 : tension haute</source>
        <translation>Sonde lambda banc 2 capteur 2 : tension haute</translation>
    </message>
    <message id="P0158.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</translation>
    </message>
    <message id="P0159.short">
        <source>Sonde lambda banc 2 capteur 2 : réponse lente</source>
        <translation>Sonde lambda banc 2 capteur 2 : réponse lente</translation>
    </message>
    <message id="P0159.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</translation>
    </message>
    <message id="P0160.short">
        <source>Sonde lambda banc 2 capteur 2 : aucune activité</source>
        <translation>Sonde lambda banc 2 capteur 2 : aucune activité</translation>
    </message>
    <message id="P0160.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</translation>
    </message>
    <message id="P0161.short">
        <source>Sonde lambda banc 2 capteur 2 : chauffage</source>
        <translation>Sonde lambda banc 2 capteur 2 : chauffage</translation>
    </message>
    <message id="P0161.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</translation>
    </message>
    <message id="P0162.short">
        <source>Sonde lambda banc 2 capteur 3 : circuit</source>
        <translation>Sonde lambda banc 2 capteur 3 : circuit</translation>
    </message>
    <message id="P0162.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 3 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 3 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</translation>
    </message>
    <message id="P0163.short">
        <source>Sonde lambda banc 2 capteur 3 : tension basse</source>
        <translation>Sonde lambda banc 2 capteur 3 : tension basse</translation>
    </message>
    <message id="P0163.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</translation>
    </message>
    <message id="P0164.short">
        <source>Sonde lambda banc 2 capteur 3 : tension haute</source>
        <translation>Sonde lambda banc 2 capteur 3 : tension haute</translation>
    </message>
    <message id="P0164.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</translation>
    </message>
    <message id="P0165.short">
        <source>Sonde lambda banc 2 capteur 3 : réponse lente</source>
        <translation>Sonde lambda banc 2 capteur 3 : réponse lente</translation>
    </message>
    <message id="P0165.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</translation>
    </message>
    <message id="P0166.short">
        <source>Sonde lambda banc 2 capteur 3 : aucune activité</source>
        <translation>Sonde lambda banc 2 capteur 3 : aucune activité</translation>
    </message>
    <message id="P0166.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</translation>
    </message>
    <message id="P0167.short">
        <source>Sonde lambda banc 2 capteur 3 : chauffage</source>
        <translation>Sonde lambda banc 2 capteur 3 : chauffage</translation>
    </message>
    <message id="P0167.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</translation>
    </message>
    <message id="P0168.short">
        <source>Température du carburant trop élevée</source>
        <translation>Température du carburant trop élevée</translation>
    </message>
    <message id="P0168.long">
        <source>La température de l'essence dépasse sa limite. Contrôlez le retour au réservoir, la chaleur autour de la rampe d'injection et le capteur de température carburant.</source>
        <translation>La température de l'essence dépasse sa limite. Contrôlez le retour au réservoir, la chaleur autour de la rampe d'injection et le capteur de température carburant.</translation>
    </message>
    <message id="P0169.short">
        <source>Composition du carburant incorrecte</source>
        <translation>Composition du carburant incorrecte</translation>
    </message>
    <message id="P0169.long">
        <source>Le carburant ne correspond pas à ce que le calculateur attend (taux d'éthanol, présence d'eau). Contrôlez la qualité de l'essence et le capteur de composition.</source>
        <translation>Le carburant ne correspond pas à ce que le calculateur attend (taux d'éthanol, présence d'eau). Contrôlez la qualité de l'essence et le capteur de composition.</translation>
    </message>
    <message id="P0170.short">
        <source>Correction de richesse, banc 1</source>
        <translation>Correction de richesse, banc 1</translation>
    </message>
    <message id="P0170.long">
        <source>La correction de richesse du banc 1 sort de ses limites. Contrôlez les prises d'air à l'admission, la pression d'essence, les injecteurs et la sonde lambda.</source>
        <translation>La correction de richesse du banc 1 sort de ses limites. Contrôlez les prises d'air à l'admission, la pression d'essence, les injecteurs et la sonde lambda.</translation>
    </message>
    <message id="P0171.short">
        <source>Mélange trop pauvre, banc 1</source>
        <translation>Mélange trop pauvre, banc 1</translation>
    </message>
    <message id="P0171.long">
        <source>Le calculateur enrichit au maximum sans obtenir le bon mélange. Recherchez une prise d'air (pipes d'admission, colliers), une pression d'essence faible, un injecteur bouché ou une fuite d'échappement avant la sonde.</source>
        <translation>Le calculateur enrichit au maximum sans obtenir le bon mélange. Recherchez une prise d'air (pipes d'admission, colliers), une pression d'essence faible, un injecteur bouché ou une fuite d'échappement avant la sonde.</translation>
    </message>
    <message id="P0172.short">
        <source>Mélange trop riche, banc 1</source>
        <translation>Mélange trop riche, banc 1</translation>
    </message>
    <message id="P0172.long">
        <source>Le calculateur appauvrit au maximum sans obtenir le bon mélange. Contrôlez la pression d'essence (régulateur), un injecteur qui fuit, le filtre à air et le capteur de pression d'admission.</source>
        <translation>Le calculateur appauvrit au maximum sans obtenir le bon mélange. Contrôlez la pression d'essence (régulateur), un injecteur qui fuit, le filtre à air et le capteur de pression d'admission.</translation>
    </message>
    <message id="P0173.short">
        <source>Correction de richesse, banc 2</source>
        <translation>Correction de richesse, banc 2</translation>
    </message>
    <message id="P0173.long">
        <source>La correction de richesse du banc 2 sort de ses limites. Contrôlez les prises d'air à l'admission, la pression d'essence, les injecteurs et la sonde lambda.</source>
        <translation>La correction de richesse du banc 2 sort de ses limites. Contrôlez les prises d'air à l'admission, la pression d'essence, les injecteurs et la sonde lambda.</translation>
    </message>
    <message id="P0174.short">
        <source>Mélange trop pauvre, banc 2</source>
        <translation>Mélange trop pauvre, banc 2</translation>
    </message>
    <message id="P0174.long">
        <source>Le calculateur enrichit au maximum sans obtenir le bon mélange. Recherchez une prise d'air (pipes d'admission, colliers), une pression d'essence faible, un injecteur bouché ou une fuite d'échappement avant la sonde.</source>
        <translation>Le calculateur enrichit au maximum sans obtenir le bon mélange. Recherchez une prise d'air (pipes d'admission, colliers), une pression d'essence faible, un injecteur bouché ou une fuite d'échappement avant la sonde.</translation>
    </message>
    <message id="P0175.short">
        <source>Mélange trop riche, banc 2</source>
        <translation>Mélange trop riche, banc 2</translation>
    </message>
    <message id="P0175.long">
        <source>Le calculateur appauvrit au maximum sans obtenir le bon mélange. Contrôlez la pression d'essence (régulateur), un injecteur qui fuit, le filtre à air et le capteur de pression d'admission.</source>
        <translation>Le calculateur appauvrit au maximum sans obtenir le bon mélange. Contrôlez la pression d'essence (régulateur), un injecteur qui fuit, le filtre à air et le capteur de pression d'admission.</translation>
    </message>
    <message id="P0200.short">
        <source>Injecteurs : circuit</source>
        <translation>Injecteurs : circuit</translation>
    </message>
    <message id="P0200.long">
        <source>Le calculateur voit un défaut sur le circuit de commande des injecteurs. Contrôlez l'alimentation 12 V des injecteurs (relais, fusible) et leurs connecteurs.</source>
        <translation>Le calculateur voit un défaut sur le circuit de commande des injecteurs. Contrôlez l'alimentation 12 V des injecteurs (relais, fusible) et leurs connecteurs.</translation>
    </message>
    <message id="P0201.short">
        <source>Injecteur cylindre 1 : circuit</source>
        <translation>Injecteur cylindre 1 : circuit</translation>
    </message>
    <message id="P0201.long">
        <source>Le circuit de commande de l'injecteur du cylindre 1 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 1 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0202.short">
        <source>Injecteur cylindre 2 : circuit</source>
        <translation>Injecteur cylindre 2 : circuit</translation>
    </message>
    <message id="P0202.long">
        <source>Le circuit de commande de l'injecteur du cylindre 2 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 2 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0203.short">
        <source>Injecteur cylindre 3 : circuit</source>
        <translation>Injecteur cylindre 3 : circuit</translation>
    </message>
    <message id="P0203.long">
        <source>Le circuit de commande de l'injecteur du cylindre 3 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 3 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0204.short">
        <source>Injecteur cylindre 4 : circuit</source>
        <translation>Injecteur cylindre 4 : circuit</translation>
    </message>
    <message id="P0204.long">
        <source>Le circuit de commande de l'injecteur du cylindre 4 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 4 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0205.short">
        <source>Injecteur cylindre 5 : circuit</source>
        <translation>Injecteur cylindre 5 : circuit</translation>
    </message>
    <message id="P0205.long">
        <source>Le circuit de commande de l'injecteur du cylindre 5 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 5 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0206.short">
        <source>Injecteur cylindre 6 : circuit</source>
        <translation>Injecteur cylindre 6 : circuit</translation>
    </message>
    <message id="P0206.long">
        <source>Le circuit de commande de l'injecteur du cylindre 6 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 6 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0207.short">
        <source>Injecteur cylindre 7 : circuit</source>
        <translation>Injecteur cylindre 7 : circuit</translation>
    </message>
    <message id="P0207.long">
        <source>Le circuit de commande de l'injecteur du cylindre 7 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 7 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0208.short">
        <source>Injecteur cylindre 8 : circuit</source>
        <translation>Injecteur cylindre 8 : circuit</translation>
    </message>
    <message id="P0208.long">
        <source>Le circuit de commande de l'injecteur du cylindre 8 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 8 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0209.short">
        <source>Injecteur cylindre 9 : circuit</source>
        <translation>Injecteur cylindre 9 : circuit</translation>
    </message>
    <message id="P0209.long">
        <source>Le circuit de commande de l'injecteur du cylindre 9 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 9 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0210.short">
        <source>Injecteur cylindre 10 : circuit</source>
        <translation>Injecteur cylindre 10 : circuit</translation>
    </message>
    <message id="P0210.long">
        <source>Le circuit de commande de l'injecteur du cylindre 10 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 10 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0211.short">
        <source>Injecteur cylindre 11 : circuit</source>
        <translation>Injecteur cylindre 11 : circuit</translation>
    </message>
    <message id="P0211.long">
        <source>Le circuit de commande de l'injecteur du cylindre 11 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 11 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0212.short">
        <source>Injecteur cylindre 12 : circuit</source>
        <translation>Injecteur cylindre 12 : circuit</translation>
    </message>
    <message id="P0212.long">
        <source>Le circuit de commande de l'injecteur du cylindre 12 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>Le circuit de commande de l'injecteur du cylindre 12 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</translation>
    </message>
    <message id="P0300.short">
        <source>Ratés de combustion sur plusieurs cylindres</source>
        <translation>Ratés de combustion sur plusieurs cylindres</translation>
    </message>
    <message id="P0300.long">
        <source>Des ratés de combustion sont détectés sur plusieurs cylindres ou sans cylindre précis. Contrôlez les bougies, les bobines, la pression d'essence et les prises d'air.</source>
        <translation>Des ratés de combustion sont détectés sur plusieurs cylindres ou sans cylindre précis. Contrôlez les bougies, les bobines, la pression d'essence et les prises d'air.</translation>
    </message>
    <message id="P0301.short">
        <source>Ratés de combustion cylindre 1</source>
        <translation>Ratés de combustion cylindre 1</translation>
    </message>
    <message id="P0301.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 1. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 1. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0302.short">
        <source>Ratés de combustion cylindre 2</source>
        <translation>Ratés de combustion cylindre 2</translation>
    </message>
    <message id="P0302.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 2. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 2. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0303.short">
        <source>Ratés de combustion cylindre 3</source>
        <translation>Ratés de combustion cylindre 3</translation>
    </message>
    <message id="P0303.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 3. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 3. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0304.short">
        <source>Ratés de combustion cylindre 4</source>
        <translation>Ratés de combustion cylindre 4</translation>
    </message>
    <message id="P0304.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 4. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 4. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0305.short">
        <source>Ratés de combustion cylindre 5</source>
        <translation>Ratés de combustion cylindre 5</translation>
    </message>
    <message id="P0305.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 5. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 5. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0306.short">
        <source>Ratés de combustion cylindre 6</source>
        <translation>Ratés de combustion cylindre 6</translation>
    </message>
    <message id="P0306.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 6. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 6. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0307.short">
        <source>Ratés de combustion cylindre 7</source>
        <translation>Ratés de combustion cylindre 7</translation>
    </message>
    <message id="P0307.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 7. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 7. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0308.short">
        <source>Ratés de combustion cylindre 8</source>
        <translation>Ratés de combustion cylindre 8</translation>
    </message>
    <message id="P0308.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 8. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 8. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0309.short">
        <source>Ratés de combustion cylindre 9</source>
        <translation>Ratés de combustion cylindre 9</translation>
    </message>
    <message id="P0309.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 9. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 9. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0310.short">
        <source>Ratés de combustion cylindre 10</source>
        <translation>Ratés de combustion cylindre 10</translation>
    </message>
    <message id="P0310.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 10. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 10. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0311.short">
        <source>Ratés de combustion cylindre 11</source>
        <translation>Ratés de combustion cylindre 11</translation>
    </message>
    <message id="P0311.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 11. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 11. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0312.short">
        <source>Ratés de combustion cylindre 12</source>
        <translation>Ratés de combustion cylindre 12</translation>
    </message>
    <message id="P0312.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 12. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Des ratés de combustion sont détectés sur le cylindre 12. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</translation>
    </message>
    <message id="P0324.short">
        <source>Contrôle du cliquetis : défaut système</source>
        <translation>Contrôle du cliquetis : défaut système</translation>
    </message>
    <message id="P0324.long">
        <source>Le calculateur ne peut plus corriger l'avance d'après les capteurs de cliquetis. Contrôlez les capteurs, leur couple de serrage et leur faisceau.</source>
        <translation>Le calculateur ne peut plus corriger l'avance d'après les capteurs de cliquetis. Contrôlez les capteurs, leur couple de serrage et leur faisceau.</translation>
    </message>
    <message id="P0325.short">
        <source>Capteur de cliquetis 1 : circuit</source>
        <translation>Capteur de cliquetis 1 : circuit</translation>
    </message>
    <message id="P0325.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de cliquetis 1. Contrôlez le connecteur et le fil blindé jusqu'au calculateur.</source>
        <translation>Le calculateur voit un défaut sur le circuit du capteur de cliquetis 1. Contrôlez le connecteur et le fil blindé jusqu'au calculateur.</translation>
    </message>
    <message id="P0326.short">
        <source>Capteur de cliquetis 1 : plage ou fonctionnement</source>
        <translation>Capteur de cliquetis 1 : plage ou fonctionnement</translation>
    </message>
    <message id="P0326.long">
        <source>Le signal du capteur n'est pas cohérent avec le régime. Contrôlez son couple de serrage sur le moteur (un capteur mal serré entend mal) et la présence d'un bruit mécanique anormal.</source>
        <translation>Le signal du capteur n'est pas cohérent avec le régime. Contrôlez son couple de serrage sur le moteur (un capteur mal serré entend mal) et la présence d'un bruit mécanique anormal.</translation>
    </message>
    <message id="P0327.short">
        <source>Capteur de cliquetis 1 : signal bas</source>
        <translation>Capteur de cliquetis 1 : signal bas</translation>
    </message>
    <message id="P0327.long">
        <source>Le signal du capteur est trop faible : capteur desserré, circuit ouvert ou capteur défectueux. Contrôlez le serrage, le connecteur et le faisceau.</source>
        <translation>Le signal du capteur est trop faible : capteur desserré, circuit ouvert ou capteur défectueux. Contrôlez le serrage, le connecteur et le faisceau.</translation>
    </message>
    <message id="P0328.short">
        <source>Capteur de cliquetis 1 : signal haut</source>
        <translation>Capteur de cliquetis 1 : signal haut</translation>
    </message>
    <message id="P0328.long">
        <source>Le signal du capteur est trop fort : fil de signal en court-circuit avec une tension, bruit mécanique important ou capteur défectueux.</source>
        <translation>Le signal du capteur est trop fort : fil de signal en court-circuit avec une tension, bruit mécanique important ou capteur défectueux.</translation>
    </message>
    <message id="P0329.short">
        <source>Capteur de cliquetis 1 : signal intermittent</source>
        <translation>Capteur de cliquetis 1 : signal intermittent</translation>
    </message>
    <message id="P0329.long">
        <source>Le signal du capteur se coupe par moments. Recherchez un faux contact au connecteur ou un blindage abîmé.</source>
        <translation>Le signal du capteur se coupe par moments. Recherchez un faux contact au connecteur ou un blindage abîmé.</translation>
    </message>
    <message id="P0330.short">
        <source>Capteur de cliquetis 2 : circuit</source>
        <translation>Capteur de cliquetis 2 : circuit</translation>
    </message>
    <message id="P0330.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de cliquetis 2. Contrôlez le connecteur et le fil blindé jusqu'au calculateur.</source>
        <translation>Le calculateur voit un défaut sur le circuit du capteur de cliquetis 2. Contrôlez le connecteur et le fil blindé jusqu'au calculateur.</translation>
    </message>
    <message id="P0331.short">
        <source>Capteur de cliquetis 2 : plage ou fonctionnement</source>
        <translation>Capteur de cliquetis 2 : plage ou fonctionnement</translation>
    </message>
    <message id="P0331.long">
        <source>Le signal du capteur n'est pas cohérent avec le régime. Contrôlez son couple de serrage sur le moteur (un capteur mal serré entend mal) et la présence d'un bruit mécanique anormal.</source>
        <translation>Le signal du capteur n'est pas cohérent avec le régime. Contrôlez son couple de serrage sur le moteur (un capteur mal serré entend mal) et la présence d'un bruit mécanique anormal.</translation>
    </message>
    <message id="P0332.short">
        <source>Capteur de cliquetis 2 : signal bas</source>
        <translation>Capteur de cliquetis 2 : signal bas</translation>
    </message>
    <message id="P0332.long">
        <source>Le signal du capteur est trop faible : capteur desserré, circuit ouvert ou capteur défectueux. Contrôlez le serrage, le connecteur et le faisceau.</source>
        <translation>Le signal du capteur est trop faible : capteur desserré, circuit ouvert ou capteur défectueux. Contrôlez le serrage, le connecteur et le faisceau.</translation>
    </message>
    <message id="P0333.short">
        <source>Capteur de cliquetis 2 : signal haut</source>
        <translation>Capteur de cliquetis 2 : signal haut</translation>
    </message>
    <message id="P0333.long">
        <source>Le signal du capteur est trop fort : fil de signal en court-circuit avec une tension, bruit mécanique important ou capteur défectueux.</source>
        <translation>Le signal du capteur est trop fort : fil de signal en court-circuit avec une tension, bruit mécanique important ou capteur défectueux.</translation>
    </message>
    <message id="P0334.short">
        <source>Capteur de cliquetis 2 : signal intermittent</source>
        <translation>Capteur de cliquetis 2 : signal intermittent</translation>
    </message>
    <message id="P0334.long">
        <source>Le signal du capteur se coupe par moments. Recherchez un faux contact au connecteur ou un blindage abîmé.</source>
        <translation>Le signal du capteur se coupe par moments. Recherchez un faux contact au connecteur ou un blindage abîmé.</translation>
    </message>
    <message id="P0335.short">
        <source>Capteur vilebrequin : circuit</source>
        <translation>Capteur vilebrequin : circuit</translation>
    </message>
    <message id="P0335.long">
        <source>Le calculateur ne reçoit pas correctement le signal du capteur vilebrequin (capteur de tours) ; le moteur peut caler ou refuser de démarrer. Contrôlez l'entrefer, le connecteur, le faisceau et la résistance du capteur.</source>
        <translation>Le calculateur ne reçoit pas correctement le signal du capteur vilebrequin (capteur de tours) ; le moteur peut caler ou refuser de démarrer. Contrôlez l'entrefer, le connecteur, le faisceau et la résistance du capteur.</translation>
    </message>
    <message id="P0336.short">
        <source>Capteur vilebrequin : plage ou fonctionnement</source>
        <translation>Capteur vilebrequin : plage ou fonctionnement</translation>
    </message>
    <message id="P0336.long">
        <source>Le signal vilebrequin est irrégulier (dents manquantes ou en trop). Contrôlez l'entrefer, la roue dentée (copeaux, dent abîmée) et le blindage du faisceau.</source>
        <translation>Le signal vilebrequin est irrégulier (dents manquantes ou en trop). Contrôlez l'entrefer, la roue dentée (copeaux, dent abîmée) et le blindage du faisceau.</translation>
    </message>
    <message id="P0337.short">
        <source>Capteur vilebrequin : signal bas</source>
        <translation>Capteur vilebrequin : signal bas</translation>
    </message>
    <message id="P0337.long">
        <source>Le signal du capteur vilebrequin est trop faible : entrefer trop grand, capteur encrassé ou circuit ouvert.</source>
        <translation>Le signal du capteur vilebrequin est trop faible : entrefer trop grand, capteur encrassé ou circuit ouvert.</translation>
    </message>
    <message id="P0338.short">
        <source>Capteur vilebrequin : signal haut</source>
        <translation>Capteur vilebrequin : signal haut</translation>
    </message>
    <message id="P0338.long">
        <source>Le signal du capteur vilebrequin est trop fort ou parasité : court-circuit avec une tension ou parasites de l'allumage. Contrôlez le faisceau et les antiparasites.</source>
        <translation>Le signal du capteur vilebrequin est trop fort ou parasité : court-circuit avec une tension ou parasites de l'allumage. Contrôlez le faisceau et les antiparasites.</translation>
    </message>
    <message id="P0339.short">
        <source>Capteur vilebrequin : signal intermittent</source>
        <translation>Capteur vilebrequin : signal intermittent</translation>
    </message>
    <message id="P0339.long">
        <source>Le signal du capteur vilebrequin se coupe par moments, ce qui peut couper le moteur. Recherchez un faux contact ou un fil abîmé.</source>
        <translation>Le signal du capteur vilebrequin se coupe par moments, ce qui peut couper le moteur. Recherchez un faux contact ou un fil abîmé.</translation>
    </message>
    <message id="P0340.short">
        <source>Capteur arbre à cames : circuit</source>
        <translation>Capteur arbre à cames : circuit</translation>
    </message>
    <message id="P0340.long">
        <source>Le calculateur ne reçoit pas correctement le signal du capteur d'arbre à cames (phase). Contrôlez le connecteur, le faisceau et l'entrefer du capteur.</source>
        <translation>Le calculateur ne reçoit pas correctement le signal du capteur d'arbre à cames (phase). Contrôlez le connecteur, le faisceau et l'entrefer du capteur.</translation>
    </message>
    <message id="P0341.short">
        <source>Capteur arbre à cames : plage ou fonctionnement</source>
        <translation>Capteur arbre à cames : plage ou fonctionnement</translation>
    </message>
    <message id="P0341.long">
        <source>Le signal d'arbre à cames n'est pas en phase avec le vilebrequin. Contrôlez le calage de la distribution (courroie, chaîne) et l'entrefer du capteur.</source>
        <translation>Le signal d'arbre à cames n'est pas en phase avec le vilebrequin. Contrôlez le calage de la distribution (courroie, chaîne) et l'entrefer du capteur.</translation>
    </message>
    <message id="P0342.short">
        <source>Capteur arbre à cames : signal bas</source>
        <translation>Capteur arbre à cames : signal bas</translation>
    </message>
    <message id="P0342.long">
        <source>Le signal du capteur d'arbre à cames est trop faible : circuit ouvert, fil à la masse ou entrefer trop grand.</source>
        <translation>Le signal du capteur d'arbre à cames est trop faible : circuit ouvert, fil à la masse ou entrefer trop grand.</translation>
    </message>
    <message id="P0343.short">
        <source>Capteur arbre à cames : signal haut</source>
        <translation>Capteur arbre à cames : signal haut</translation>
    </message>
    <message id="P0343.long">
        <source>Le signal du capteur d'arbre à cames est trop fort : fil de signal en court-circuit avec une tension. Contrôlez le faisceau.</source>
        <translation>Le signal du capteur d'arbre à cames est trop fort : fil de signal en court-circuit avec une tension. Contrôlez le faisceau.</translation>
    </message>
    <message id="P0344.short">
        <source>Capteur arbre à cames : signal intermittent</source>
        <translation>Capteur arbre à cames : signal intermittent</translation>
    </message>
    <message id="P0344.long">
        <source>Le signal du capteur d'arbre à cames se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé.</source>
        <translation>Le signal du capteur d'arbre à cames se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé.</translation>
    </message>
    <message id="P0345.short">
        <source>Capteur arbre à cames banc 2 : circuit</source>
        <translation>Capteur arbre à cames banc 2 : circuit</translation>
    </message>
    <message id="P0345.long">
        <source>Le calculateur ne reçoit pas correctement le signal du capteur d'arbre à cames du banc 2. Contrôlez le connecteur, le faisceau et l'entrefer du capteur.</source>
        <translation>Le calculateur ne reçoit pas correctement le signal du capteur d'arbre à cames du banc 2. Contrôlez le connecteur, le faisceau et l'entrefer du capteur.</translation>
    </message>
    <message id="P0350.short">
        <source>Bobines d'allumage : circuit</source>
        <translation>Bobines d'allumage : circuit</translation>
    </message>
    <message id="P0350.long">
        <source>Le calculateur voit un défaut sur la commande des bobines d'allumage. Contrôlez l'alimentation des bobines et leurs connecteurs.</source>
        <translation>Le calculateur voit un défaut sur la commande des bobines d'allumage. Contrôlez l'alimentation des bobines et leurs connecteurs.</translation>
    </message>
    <message id="P0351.short">
        <source>Bobine d'allumage 1 : circuit</source>
        <translation>Bobine d'allumage 1 : circuit</translation>
    </message>
    <message id="P0351.long">
        <source>Le circuit de la bobine d'allumage 1 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 1 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0352.short">
        <source>Bobine d'allumage 2 : circuit</source>
        <translation>Bobine d'allumage 2 : circuit</translation>
    </message>
    <message id="P0352.long">
        <source>Le circuit de la bobine d'allumage 2 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 2 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0353.short">
        <source>Bobine d'allumage 3 : circuit</source>
        <translation>Bobine d'allumage 3 : circuit</translation>
    </message>
    <message id="P0353.long">
        <source>Le circuit de la bobine d'allumage 3 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 3 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0354.short">
        <source>Bobine d'allumage 4 : circuit</source>
        <translation>Bobine d'allumage 4 : circuit</translation>
    </message>
    <message id="P0354.long">
        <source>Le circuit de la bobine d'allumage 4 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 4 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0355.short">
        <source>Bobine d'allumage 5 : circuit</source>
        <translation>Bobine d'allumage 5 : circuit</translation>
    </message>
    <message id="P0355.long">
        <source>Le circuit de la bobine d'allumage 5 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 5 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0356.short">
        <source>Bobine d'allumage 6 : circuit</source>
        <translation>Bobine d'allumage 6 : circuit</translation>
    </message>
    <message id="P0356.long">
        <source>Le circuit de la bobine d'allumage 6 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 6 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0357.short">
        <source>Bobine d'allumage 7 : circuit</source>
        <translation>Bobine d'allumage 7 : circuit</translation>
    </message>
    <message id="P0357.long">
        <source>Le circuit de la bobine d'allumage 7 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 7 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0358.short">
        <source>Bobine d'allumage 8 : circuit</source>
        <translation>Bobine d'allumage 8 : circuit</translation>
    </message>
    <message id="P0358.long">
        <source>Le circuit de la bobine d'allumage 8 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 8 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0359.short">
        <source>Bobine d'allumage 9 : circuit</source>
        <translation>Bobine d'allumage 9 : circuit</translation>
    </message>
    <message id="P0359.long">
        <source>Le circuit de la bobine d'allumage 9 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 9 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0360.short">
        <source>Bobine d'allumage 10 : circuit</source>
        <translation>Bobine d'allumage 10 : circuit</translation>
    </message>
    <message id="P0360.long">
        <source>Le circuit de la bobine d'allumage 10 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 10 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0361.short">
        <source>Bobine d'allumage 11 : circuit</source>
        <translation>Bobine d'allumage 11 : circuit</translation>
    </message>
    <message id="P0361.long">
        <source>Le circuit de la bobine d'allumage 11 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 11 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0362.short">
        <source>Bobine d'allumage 12 : circuit</source>
        <translation>Bobine d'allumage 12 : circuit</translation>
    </message>
    <message id="P0362.long">
        <source>Le circuit de la bobine d'allumage 12 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>Le circuit de la bobine d'allumage 12 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</translation>
    </message>
    <message id="P0500.short">
        <source>Capteur de vitesse du véhicule</source>
        <translation>Capteur de vitesse du véhicule</translation>
    </message>
    <message id="P0500.long">
        <source>Le calculateur ne reçoit pas de signal de vitesse alors que le moteur tourne en charge. Contrôlez le capteur de vitesse (roue ou boîte), son entrefer et son faisceau.</source>
        <translation>Le calculateur ne reçoit pas de signal de vitesse alors que le moteur tourne en charge. Contrôlez le capteur de vitesse (roue ou boîte), son entrefer et son faisceau.</translation>
    </message>
    <message id="P0501.short">
        <source>Capteur de vitesse : plage ou fonctionnement</source>
        <translation>Capteur de vitesse : plage ou fonctionnement</translation>
    </message>
    <message id="P0501.long">
        <source>Le signal de vitesse n'est pas plausible au regard du régime et du rapport engagé. Contrôlez la cible du capteur, son entrefer et sa fixation.</source>
        <translation>Le signal de vitesse n'est pas plausible au regard du régime et du rapport engagé. Contrôlez la cible du capteur, son entrefer et sa fixation.</translation>
    </message>
    <message id="P0502.short">
        <source>Capteur de vitesse : signal bas</source>
        <translation>Capteur de vitesse : signal bas</translation>
    </message>
    <message id="P0502.long">
        <source>Le signal de vitesse est trop faible ou absent : circuit ouvert, capteur encrassé ou entrefer trop grand.</source>
        <translation>Le signal de vitesse est trop faible ou absent : circuit ouvert, capteur encrassé ou entrefer trop grand.</translation>
    </message>
    <message id="P0503.short">
        <source>Capteur de vitesse : signal irrégulier ou haut</source>
        <translation>Capteur de vitesse : signal irrégulier ou haut</translation>
    </message>
    <message id="P0503.long">
        <source>Le signal de vitesse est irrégulier ou trop fort : faux contact, parasites ou cible abîmée. Contrôlez le connecteur et le cheminement du faisceau.</source>
        <translation>Le signal de vitesse est irrégulier ou trop fort : faux contact, parasites ou cible abîmée. Contrôlez le connecteur et le cheminement du faisceau.</translation>
    </message>
    <message id="P0504.short">
        <source>Contacteur de frein : contacts incohérents</source>
        <translation>Contacteur de frein : contacts incohérents</translation>
    </message>
    <message id="P0504.long">
        <source>Les deux contacts du contacteur de frein ne donnent pas le même état. Contrôlez le contacteur, son réglage et son faisceau.</source>
        <translation>Les deux contacts du contacteur de frein ne donnent pas le même état. Contrôlez le contacteur, son réglage et son faisceau.</translation>
    </message>
    <message id="P0505.short">
        <source>Régulation de ralenti</source>
        <translation>Régulation de ralenti</translation>
    </message>
    <message id="P0505.long">
        <source>La régulation de ralenti (moteur pas à pas ou vanne) ne tient pas sa consigne. Contrôlez le moteur pas à pas, son conduit d'air (encrassement) et son faisceau.</source>
        <translation>La régulation de ralenti (moteur pas à pas ou vanne) ne tient pas sa consigne. Contrôlez le moteur pas à pas, son conduit d'air (encrassement) et son faisceau.</translation>
    </message>
    <message id="P0506.short">
        <source>Ralenti plus bas que prévu</source>
        <translation>Ralenti plus bas que prévu</translation>
    </message>
    <message id="P0506.long">
        <source>Le régime de ralenti reste sous la consigne. Contrôlez l'encrassement du corps papillon et du circuit d'air de ralenti, le filtre à air et la régulation de ralenti.</source>
        <translation>Le régime de ralenti reste sous la consigne. Contrôlez l'encrassement du corps papillon et du circuit d'air de ralenti, le filtre à air et la régulation de ralenti.</translation>
    </message>
    <message id="P0507.short">
        <source>Ralenti plus haut que prévu</source>
        <translation>Ralenti plus haut que prévu</translation>
    </message>
    <message id="P0507.long">
        <source>Le régime de ralenti reste au-dessus de la consigne. Recherchez une prise d'air, un câble de gaz trop tendu, un papillon qui ferme mal ou une butée déréglée.</source>
        <translation>Le régime de ralenti reste au-dessus de la consigne. Recherchez une prise d'air, un câble de gaz trop tendu, un papillon qui ferme mal ou une butée déréglée.</translation>
    </message>
    <message id="P0508.short">
        <source>Régulation de ralenti : circuit bas</source>
        <translation>Régulation de ralenti : circuit bas</translation>
    </message>
    <message id="P0508.long">
        <source>Le circuit de commande de la régulation de ralenti est à la masse ou ouvert. Contrôlez le connecteur et le faisceau du moteur pas à pas.</source>
        <translation>Le circuit de commande de la régulation de ralenti est à la masse ou ouvert. Contrôlez le connecteur et le faisceau du moteur pas à pas.</translation>
    </message>
    <message id="P0509.short">
        <source>Régulation de ralenti : circuit haut</source>
        <translation>Régulation de ralenti : circuit haut</translation>
    </message>
    <message id="P0509.long">
        <source>Le circuit de commande de la régulation de ralenti est en court-circuit avec une tension. Contrôlez le faisceau du moteur pas à pas.</source>
        <translation>Le circuit de commande de la régulation de ralenti est en court-circuit avec une tension. Contrôlez le faisceau du moteur pas à pas.</translation>
    </message>
    <message id="P0560.short">
        <source>Tension d'alimentation</source>
        <translation>Tension d'alimentation</translation>
    </message>
    <message id="P0560.long">
        <source>La tension d'alimentation du calculateur n'est pas correcte. Contrôlez la batterie et ses bornes, la masse du calculateur et le circuit de charge.</source>
        <translation>La tension d'alimentation du calculateur n'est pas correcte. Contrôlez la batterie et ses bornes, la masse du calculateur et le circuit de charge.</translation>
    </message>
    <message id="P0561.short">
        <source>Tension d'alimentation instable</source>
        <translation>Tension d'alimentation instable</translation>
    </message>
    <message id="P0561.long">
        <source>La tension d'alimentation varie trop. Contrôlez le serrage des bornes de batterie, les masses et le régulateur de charge.</source>
        <translation>La tension d'alimentation varie trop. Contrôlez le serrage des bornes de batterie, les masses et le régulateur de charge.</translation>
    </message>
    <message id="P0562.short">
        <source>Tension d'alimentation basse</source>
        <translation>Tension d'alimentation basse</translation>
    </message>
    <message id="P0562.long">
        <source>La tension d'alimentation est trop basse. Contrôlez la charge de la batterie, l'alternateur, le régulateur et les masses.</source>
        <translation>La tension d'alimentation est trop basse. Contrôlez la charge de la batterie, l'alternateur, le régulateur et les masses.</translation>
    </message>
    <message id="P0563.short">
        <source>Tension d'alimentation haute</source>
        <translation>Tension d'alimentation haute</translation>
    </message>
    <message id="P0563.long">
        <source>La tension d'alimentation est trop haute, souvent à cause d'un régulateur de charge défectueux. Mesurez la tension de charge moteur tournant (14,5 V au plus environ).</source>
        <translation>La tension d'alimentation est trop haute, souvent à cause d'un régulateur de charge défectueux. Mesurez la tension de charge moteur tournant (14,5 V au plus environ).</translation>
    </message>
    <message id="P0600.short">
        <source>Liaison série de communication</source>
        <translation>Liaison série de communication</translation>
    </message>
    <message id="P0600.long">
        <source>Le calculateur voit un défaut sur une liaison série avec un autre boîtier (tableau de bord, antidémarrage). Contrôlez les connecteurs et les fils de cette liaison.</source>
        <translation>Le calculateur voit un défaut sur une liaison série avec un autre boîtier (tableau de bord, antidémarrage). Contrôlez les connecteurs et les fils de cette liaison.</translation>
    </message>
    <message id="P0601.short">
        <source>Mémoire du calculateur : somme de contrôle</source>
        <translation>Mémoire du calculateur : somme de contrôle</translation>
    </message>
    <message id="P0601.long">
        <source>La somme de contrôle de la mémoire programme est fausse. Le calculateur doit être reprogrammé ou remplacé.</source>
        <translation>La somme de contrôle de la mémoire programme est fausse. Le calculateur doit être reprogrammé ou remplacé.</translation>
    </message>
    <message id="P0602.short">
        <source>Erreur de programmation du calculateur</source>
        <translation>Erreur de programmation du calculateur</translation>
    </message>
    <message id="P0602.long">
        <source>Le calculateur n'est pas programmé ou sa programmation est incomplète. Reprogrammez le calculateur avec le logiciel prévu.</source>
        <translation>Le calculateur n'est pas programmé ou sa programmation est incomplète. Reprogrammez le calculateur avec le logiciel prévu.</translation>
    </message>
    <message id="P0603.short">
        <source>Mémoire permanente du calculateur</source>
        <translation>Mémoire permanente du calculateur</translation>
    </message>
    <message id="P0603.long">
        <source>Les valeurs apprises que le calculateur conserve ont été perdues, souvent après une coupure de la batterie. Contrôlez l'alimentation permanente du calculateur ; le défaut disparaît quand les valeurs sont réapprises.</source>
        <translation>Les valeurs apprises que le calculateur conserve ont été perdues, souvent après une coupure de la batterie. Contrôlez l'alimentation permanente du calculateur ; le défaut disparaît quand les valeurs sont réapprises.</translation>
    </message>
    <message id="P0604.short">
        <source>Mémoire RAM du calculateur</source>
        <translation>Mémoire RAM du calculateur</translation>
    </message>
    <message id="P0604.long">
        <source>Le test de la mémoire vive du calculateur a échoué. Si le défaut revient après effacement, remplacez le calculateur.</source>
        <translation>Le test de la mémoire vive du calculateur a échoué. Si le défaut revient après effacement, remplacez le calculateur.</translation>
    </message>
    <message id="P0605.short">
        <source>Mémoire ROM du calculateur</source>
        <translation>Mémoire ROM du calculateur</translation>
    </message>
    <message id="P0605.long">
        <source>Le test de la mémoire morte du calculateur a échoué. Reprogrammez le calculateur et remplacez-le si le défaut revient.</source>
        <translation>Le test de la mémoire morte du calculateur a échoué. Reprogrammez le calculateur et remplacez-le si le défaut revient.</translation>
    </message>
    <message id="P0606.short">
        <source>Processeur du calculateur</source>
        <translation>Processeur du calculateur</translation>
    </message>
    <message id="P0606.long">
        <source>Le calculateur voit un défaut de son propre processeur. Contrôlez son alimentation et ses masses ; si le défaut revient, remplacez le calculateur.</source>
        <translation>Le calculateur voit un défaut de son propre processeur. Contrôlez son alimentation et ses masses ; si le défaut revient, remplacez le calculateur.</translation>
    </message>
</context>
</TS>
