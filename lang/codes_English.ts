<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="fr_FR">
<context>
    <name></name>
    <message id="P0105.short">
        <source>Capteur de pression d'admission : circuit</source>
        <translation>Intake pressure sensor: circuit fault</translation>
    </message>
    <message id="P0105.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de pression d'admission. Contrôlez le connecteur, l'alimentation 5 V, la masse et le fil de signal du capteur.</source>
        <translation>The ECU sees a fault in the intake pressure sensor circuit. Check the connector, the 5 V supply, the ground and the signal wire of the sensor.</translation>
    </message>
    <message id="P0106.short">
        <source>Capteur de pression d'admission : plage ou fonctionnement</source>
        <translation>Intake pressure sensor: range or performance</translation>
    </message>
    <message id="P0106.long">
        <source>La pression mesurée ne correspond pas au régime et à l'ouverture des gaz. Contrôlez le tuyau de prise de pression (fendu, débranché, bouché) et l'étanchéité de l'admission.</source>
        <translation>The measured pressure does not match the engine speed and the throttle opening. Check the sensor's hose (split, off or blocked) and the intake for air leaks.</translation>
    </message>
    <message id="P0107.short">
        <source>Capteur de pression d'admission : signal bas</source>
        <translation>Intake pressure sensor: signal low</translation>
    </message>
    <message id="P0107.long">
        <source>La tension du capteur est trop basse : fil de signal coupé ou à la masse, ou alimentation 5 V absente. Contrôlez le connecteur et le faisceau.</source>
        <translation>The sensor voltage is too low: signal wire open or shorted to ground, or the 5 V supply missing. Check the connector and the wiring.</translation>
    </message>
    <message id="P0108.short">
        <source>Capteur de pression d'admission : signal haut</source>
        <translation>Intake pressure sensor: signal high</translation>
    </message>
    <message id="P0108.long">
        <source>La tension du capteur est trop haute : fil de signal en court-circuit avec le 5 V ou la batterie, ou masse du capteur coupée. Contrôlez le faisceau.</source>
        <translation>The sensor voltage is too high: signal wire shorted to 5 V or to the battery, or the sensor ground open. Check the wiring.</translation>
    </message>
    <message id="P0109.short">
        <source>Capteur de pression d'admission : signal intermittent</source>
        <translation>Intake pressure sensor: signal intermittent</translation>
    </message>
    <message id="P0109.long">
        <source>Le signal du capteur de pression d'admission se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</source>
        <translation>The intake pressure sensor signal drops out now and then. Look for a loose contact at the connector or a wire worn by vibration or heat.</translation>
    </message>
    <message id="P0110.short">
        <source>Capteur de température d'air : circuit</source>
        <translation>Air temperature sensor: circuit fault</translation>
    </message>
    <message id="P0110.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de température d'air. Contrôlez le connecteur, le faisceau et la résistance du capteur (elle baisse quand la température monte).</source>
        <translation>The ECU sees a fault in the air temperature sensor circuit. Check the connector, the wiring and the sensor's resistance (it falls as the temperature rises).</translation>
    </message>
    <message id="P0111.short">
        <source>Capteur de température d'air : plage ou fonctionnement</source>
        <translation>Air temperature sensor: range or performance</translation>
    </message>
    <message id="P0111.long">
        <source>La température d'air lue n'est pas plausible au regard de la température moteur et du temps de marche. Contrôlez l'emplacement du capteur (près d'une source de chaleur) et le capteur lui-même.</source>
        <translation>The air temperature read is not plausible against the engine temperature and the running time. Check where the sensor sits (near a source of heat) and the sensor itself.</translation>
    </message>
    <message id="P0112.short">
        <source>Capteur de température d'air : signal bas</source>
        <translation>Air temperature sensor: signal low</translation>
    </message>
    <message id="P0112.long">
        <source>Tension trop basse, le capteur indique une température très élevée : fil de signal en court-circuit à la masse ou capteur défectueux.</source>
        <translation>Voltage too low, the sensor reads a very high temperature: signal wire shorted to ground or a faulty sensor.</translation>
    </message>
    <message id="P0113.short">
        <source>Capteur de température d'air : signal haut</source>
        <translation>Air temperature sensor: signal high</translation>
    </message>
    <message id="P0113.long">
        <source>Tension trop haute, le capteur indique une température très basse : circuit ouvert (connecteur débranché, fil coupé) ou capteur coupé.</source>
        <translation>Voltage too high, the sensor reads a very low temperature: an open circuit (connector off, broken wire) or an open sensor.</translation>
    </message>
    <message id="P0114.short">
        <source>Capteur de température d'air : signal intermittent</source>
        <translation>Air temperature sensor: signal intermittent</translation>
    </message>
    <message id="P0114.long">
        <source>Le signal du capteur de température d'air se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</source>
        <translation>The air temperature sensor signal drops out now and then. Look for a loose contact at the connector or a wire worn by vibration or heat.</translation>
    </message>
    <message id="P0115.short">
        <source>Capteur de température moteur : circuit</source>
        <translation>Engine temperature sensor: circuit fault</translation>
    </message>
    <message id="P0115.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de température moteur. Contrôlez le connecteur, le faisceau et la résistance du capteur (elle baisse quand le moteur chauffe).</source>
        <translation>The ECU sees a fault in the engine temperature sensor circuit. Check the connector, the wiring and the sensor's resistance (it falls as the engine warms up).</translation>
    </message>
    <message id="P0116.short">
        <source>Capteur de température moteur : plage ou fonctionnement</source>
        <translation>Engine temperature sensor: range or performance</translation>
    </message>
    <message id="P0116.long">
        <source>La température moteur ne monte pas comme prévu ou n'est pas plausible. Contrôlez le thermostat, le niveau du liquide de refroidissement et le capteur.</source>
        <translation>The engine temperature does not rise as expected or is not plausible. Check the thermostat, the coolant level and the sensor.</translation>
    </message>
    <message id="P0117.short">
        <source>Capteur de température moteur : signal bas</source>
        <translation>Engine temperature sensor: signal low</translation>
    </message>
    <message id="P0117.long">
        <source>Tension trop basse, le capteur indique un moteur très chaud : fil de signal en court-circuit à la masse ou capteur défectueux.</source>
        <translation>Voltage too low, the sensor reads a very hot engine: signal wire shorted to ground or a faulty sensor.</translation>
    </message>
    <message id="P0118.short">
        <source>Capteur de température moteur : signal haut</source>
        <translation>Engine temperature sensor: signal high</translation>
    </message>
    <message id="P0118.long">
        <source>Tension trop haute, le capteur indique un moteur très froid : circuit ouvert (connecteur débranché, fil coupé) ou capteur coupé.</source>
        <translation>Voltage too high, the sensor reads a very cold engine: an open circuit (connector off, broken wire) or an open sensor.</translation>
    </message>
    <message id="P0119.short">
        <source>Capteur de température moteur : signal intermittent</source>
        <translation>Engine temperature sensor: signal intermittent</translation>
    </message>
    <message id="P0119.long">
        <source>Le signal du capteur de température moteur se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé par les vibrations ou la chaleur.</source>
        <translation>The engine temperature sensor signal drops out now and then. Look for a loose contact at the connector or a wire worn by vibration or heat.</translation>
    </message>
    <message id="P0120.short">
        <source>Capteur de position papillon : circuit</source>
        <translation>Throttle position sensor: circuit fault</translation>
    </message>
    <message id="P0120.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de position papillon. Contrôlez le connecteur, l'alimentation 5 V, la masse et la piste du potentiomètre.</source>
        <translation>The ECU sees a fault in the throttle position sensor circuit. Check the connector, the 5 V supply, the ground and the potentiometer track.</translation>
    </message>
    <message id="P0121.short">
        <source>Capteur de position papillon : plage ou fonctionnement</source>
        <translation>Throttle position sensor: range or performance</translation>
    </message>
    <message id="P0121.long">
        <source>L'angle papillon n'est pas cohérent avec la pression d'admission et le régime. Contrôlez le réglage du capteur et la butée de ralenti, puis refaites la mise à zéro du capteur (Reset TPS).</source>
        <translation>The throttle angle does not agree with the intake pressure and the engine speed. Check the sensor's setting and the idle stop, then redo the sensor's zero (Reset TPS).</translation>
    </message>
    <message id="P0122.short">
        <source>Capteur de position papillon : signal bas</source>
        <translation>Throttle position sensor: signal low</translation>
    </message>
    <message id="P0122.long">
        <source>La tension du capteur est trop basse : fil de signal coupé ou à la masse, ou alimentation 5 V absente. Contrôlez le connecteur et le faisceau.</source>
        <translation>The sensor voltage is too low: signal wire open or shorted to ground, or the 5 V supply missing. Check the connector and the wiring.</translation>
    </message>
    <message id="P0123.short">
        <source>Capteur de position papillon : signal haut</source>
        <translation>Throttle position sensor: signal high</translation>
    </message>
    <message id="P0123.long">
        <source>La tension du capteur est trop haute : fil de signal en court-circuit avec le 5 V, ou masse du capteur coupée. Contrôlez le faisceau.</source>
        <translation>The sensor voltage is too high: signal wire shorted to 5 V, or the sensor ground open. Check the wiring.</translation>
    </message>
    <message id="P0124.short">
        <source>Capteur de position papillon : signal intermittent</source>
        <translation>Throttle position sensor: signal intermittent</translation>
    </message>
    <message id="P0124.long">
        <source>Le signal décroche par moments, souvent sur une zone usée de la piste du potentiomètre. Ouvrez et refermez lentement les gaz en suivant l'angle affiché, et contrôlez le connecteur.</source>
        <translation>The signal drops out now and then, often on a worn spot of the potentiometer track. Open and close the throttle slowly while watching the angle shown, and check the connector.</translation>
    </message>
    <message id="P0125.short">
        <source>Température moteur trop basse pour la régulation</source>
        <translation>Engine too cold for closed-loop control</translation>
    </message>
    <message id="P0125.long">
        <source>Le moteur n'atteint pas à temps la température qui permet la régulation du mélange par la sonde lambda. Contrôlez le thermostat (bloqué ouvert) et le capteur de température moteur.</source>
        <translation>The engine does not reach in time the temperature at which the lambda probe takes over the mixture. Check the thermostat (stuck open) and the engine temperature sensor.</translation>
    </message>
    <message id="P0130.short">
        <source>Sonde lambda banc 1 capteur 1 : circuit</source>
        <translation>Lambda probe bank 1 sensor 1: circuit fault</translation>
    </message>
    <message id="P0130.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 1 (avant le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>The ECU sees a fault in the circuit of the lambda probe bank 1 sensor 1 (before the catalyst). Check the connector (heat, moisture) and the wiring up to the ECU.</translation>
    </message>
    <message id="P0131.short">
        <source>Sonde lambda banc 1 capteur 1 : tension basse</source>
        <translation>Lambda probe bank 1 sensor 1: low voltage</translation>
    </message>
    <message id="P0131.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>The probe stays at a low voltage, as with a lean mixture: an exhaust air leak, too little fuel or a signal wire shorted to ground. Check the exhaust for leaks and the wiring.</translation>
    </message>
    <message id="P0132.short">
        <source>Sonde lambda banc 1 capteur 1 : tension haute</source>
        <translation>Lambda probe bank 1 sensor 1: high voltage</translation>
    </message>
    <message id="P0132.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>The probe stays at a high voltage, as with a rich mixture: too much fuel, a fouled probe or a signal wire shorted to a voltage. Check the fuel pressure, the injectors and the wiring.</translation>
    </message>
    <message id="P0133.short">
        <source>Sonde lambda banc 1 capteur 1 : réponse lente</source>
        <translation>Lambda probe bank 1 sensor 1: slow response</translation>
    </message>
    <message id="P0133.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>The probe switches too slowly between rich and lean: an aged or fouled probe (oil, additives). Check the exhaust, then replace the probe if the fault comes back.</translation>
    </message>
    <message id="P0134.short">
        <source>Sonde lambda banc 1 capteur 1 : aucune activité</source>
        <translation>Lambda probe bank 1 sensor 1: no activity</translation>
    </message>
    <message id="P0134.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>The probe gives no usable signal: the probe stays cold (heater failed), an open circuit or a dead probe. Check the probe's heater and the wiring.</translation>
    </message>
    <message id="P0135.short">
        <source>Sonde lambda banc 1 capteur 1 : chauffage</source>
        <translation>Lambda probe bank 1 sensor 1: heater circuit</translation>
    </message>
    <message id="P0135.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>The probe's heater circuit is open or shorted. Measure the heater's resistance and check its supply (fuse, relay) and its wiring.</translation>
    </message>
    <message id="P0136.short">
        <source>Sonde lambda banc 1 capteur 2 : circuit</source>
        <translation>Lambda probe bank 1 sensor 2: circuit fault</translation>
    </message>
    <message id="P0136.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 2 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>The ECU sees a fault in the circuit of the lambda probe bank 1 sensor 2 (after the catalyst). Check the connector (heat, moisture) and the wiring up to the ECU.</translation>
    </message>
    <message id="P0137.short">
        <source>Sonde lambda banc 1 capteur 2 : tension basse</source>
        <translation>Lambda probe bank 1 sensor 2: low voltage</translation>
    </message>
    <message id="P0137.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>The probe stays at a low voltage, as with a lean mixture: an exhaust air leak, too little fuel or a signal wire shorted to ground. Check the exhaust for leaks and the wiring.</translation>
    </message>
    <message id="P0138.short">
        <source>Sonde lambda banc 1 capteur 2 : tension haute</source>
        <translation>Lambda probe bank 1 sensor 2: high voltage</translation>
    </message>
    <message id="P0138.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>The probe stays at a high voltage, as with a rich mixture: too much fuel, a fouled probe or a signal wire shorted to a voltage. Check the fuel pressure, the injectors and the wiring.</translation>
    </message>
    <message id="P0139.short">
        <source>Sonde lambda banc 1 capteur 2 : réponse lente</source>
        <translation>Lambda probe bank 1 sensor 2: slow response</translation>
    </message>
    <message id="P0139.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>The probe switches too slowly between rich and lean: an aged or fouled probe (oil, additives). Check the exhaust, then replace the probe if the fault comes back.</translation>
    </message>
    <message id="P0140.short">
        <source>Sonde lambda banc 1 capteur 2 : aucune activité</source>
        <translation>Lambda probe bank 1 sensor 2: no activity</translation>
    </message>
    <message id="P0140.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>The probe gives no usable signal: the probe stays cold (heater failed), an open circuit or a dead probe. Check the probe's heater and the wiring.</translation>
    </message>
    <message id="P0141.short">
        <source>Sonde lambda banc 1 capteur 2 : chauffage</source>
        <translation>Lambda probe bank 1 sensor 2: heater circuit</translation>
    </message>
    <message id="P0141.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>The probe's heater circuit is open or shorted. Measure the heater's resistance and check its supply (fuse, relay) and its wiring.</translation>
    </message>
    <message id="P0142.short">
        <source>Sonde lambda banc 1 capteur 3 : circuit</source>
        <translation>Lambda probe bank 1 sensor 3: circuit fault</translation>
    </message>
    <message id="P0142.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 1 capteur 3 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>The ECU sees a fault in the circuit of the lambda probe bank 1 sensor 3 (after the catalyst). Check the connector (heat, moisture) and the wiring up to the ECU.</translation>
    </message>
    <message id="P0143.short">
        <source>Sonde lambda banc 1 capteur 3 : tension basse</source>
        <translation>Lambda probe bank 1 sensor 3: low voltage</translation>
    </message>
    <message id="P0143.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>The probe stays at a low voltage, as with a lean mixture: an exhaust air leak, too little fuel or a signal wire shorted to ground. Check the exhaust for leaks and the wiring.</translation>
    </message>
    <message id="P0144.short">
        <source>Sonde lambda banc 1 capteur 3 : tension haute</source>
        <translation>Lambda probe bank 1 sensor 3: high voltage</translation>
    </message>
    <message id="P0144.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>The probe stays at a high voltage, as with a rich mixture: too much fuel, a fouled probe or a signal wire shorted to a voltage. Check the fuel pressure, the injectors and the wiring.</translation>
    </message>
    <message id="P0145.short">
        <source>Sonde lambda banc 1 capteur 3 : réponse lente</source>
        <translation>Lambda probe bank 1 sensor 3: slow response</translation>
    </message>
    <message id="P0145.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>The probe switches too slowly between rich and lean: an aged or fouled probe (oil, additives). Check the exhaust, then replace the probe if the fault comes back.</translation>
    </message>
    <message id="P0146.short">
        <source>Sonde lambda banc 1 capteur 3 : aucune activité</source>
        <translation>Lambda probe bank 1 sensor 3: no activity</translation>
    </message>
    <message id="P0146.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>The probe gives no usable signal: the probe stays cold (heater failed), an open circuit or a dead probe. Check the probe's heater and the wiring.</translation>
    </message>
    <message id="P0147.short">
        <source>Sonde lambda banc 1 capteur 3 : chauffage</source>
        <translation>Lambda probe bank 1 sensor 3: heater circuit</translation>
    </message>
    <message id="P0147.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>The probe's heater circuit is open or shorted. Measure the heater's resistance and check its supply (fuse, relay) and its wiring.</translation>
    </message>
    <message id="P0148.short">
        <source>Erreur d'alimentation en carburant</source>
        <translation>Fuel delivery error</translation>
    </message>
    <message id="P0148.long">
        <source>Le débit d'essence ne correspond pas à la demande du calculateur. Contrôlez la pompe, le filtre et le régulateur de pression.</source>
        <translation>The fuel delivered does not match what the ECU asks for. Check the pump, the filter and the pressure regulator.</translation>
    </message>
    <message id="P0149.short">
        <source>Erreur de calage de l'injection</source>
        <translation>Fuel timing error</translation>
    </message>
    <message id="P0149.long">
        <source>Le moment de l'injection ne correspond pas à la consigne du calculateur. Contrôlez les capteurs vilebrequin et arbre à cames, puis le calage de la distribution.</source>
        <translation>The injection timing does not match the ECU's target. Check the crankshaft and camshaft sensors, then the valve timing.</translation>
    </message>
    <message id="P0150.short">
        <source>Sonde lambda banc 2 capteur 1 : circuit</source>
        <translation>Lambda probe bank 2 sensor 1: circuit fault</translation>
    </message>
    <message id="P0150.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 1 (avant le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>The ECU sees a fault in the circuit of the lambda probe bank 2 sensor 1 (before the catalyst). Check the connector (heat, moisture) and the wiring up to the ECU.</translation>
    </message>
    <message id="P0151.short">
        <source>Sonde lambda banc 2 capteur 1 : tension basse</source>
        <translation>Lambda probe bank 2 sensor 1: low voltage</translation>
    </message>
    <message id="P0151.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>The probe stays at a low voltage, as with a lean mixture: an exhaust air leak, too little fuel or a signal wire shorted to ground. Check the exhaust for leaks and the wiring.</translation>
    </message>
    <message id="P0152.short">
        <source>Sonde lambda banc 2 capteur 1 : tension haute</source>
        <translation>Lambda probe bank 2 sensor 1: high voltage</translation>
    </message>
    <message id="P0152.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>The probe stays at a high voltage, as with a rich mixture: too much fuel, a fouled probe or a signal wire shorted to a voltage. Check the fuel pressure, the injectors and the wiring.</translation>
    </message>
    <message id="P0153.short">
        <source>Sonde lambda banc 2 capteur 1 : réponse lente</source>
        <translation>Lambda probe bank 2 sensor 1: slow response</translation>
    </message>
    <message id="P0153.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>The probe switches too slowly between rich and lean: an aged or fouled probe (oil, additives). Check the exhaust, then replace the probe if the fault comes back.</translation>
    </message>
    <message id="P0154.short">
        <source>Sonde lambda banc 2 capteur 1 : aucune activité</source>
        <translation>Lambda probe bank 2 sensor 1: no activity</translation>
    </message>
    <message id="P0154.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>The probe gives no usable signal: the probe stays cold (heater failed), an open circuit or a dead probe. Check the probe's heater and the wiring.</translation>
    </message>
    <message id="P0155.short">
        <source>Sonde lambda banc 2 capteur 1 : chauffage</source>
        <translation>Lambda probe bank 2 sensor 1: heater circuit</translation>
    </message>
    <message id="P0155.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>The probe's heater circuit is open or shorted. Measure the heater's resistance and check its supply (fuse, relay) and its wiring.</translation>
    </message>
    <message id="P0156.short">
        <source>Sonde lambda banc 2 capteur 2 : circuit</source>
        <translation>Lambda probe bank 2 sensor 2: circuit fault</translation>
    </message>
    <message id="P0156.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 2 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>The ECU sees a fault in the circuit of the lambda probe bank 2 sensor 2 (after the catalyst). Check the connector (heat, moisture) and the wiring up to the ECU.</translation>
    </message>
    <message id="P0157.short">
        <source>Sonde lambda banc 2 capteur 2 : tension basse</source>
        <translation>Lambda probe bank 2 sensor 2: low voltage</translation>
    </message>
    <message id="P0157.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>The probe stays at a low voltage, as with a lean mixture: an exhaust air leak, too little fuel or a signal wire shorted to ground. Check the exhaust for leaks and the wiring.</translation>
    </message>
    <message id="P0158.short">
        <source>Sonde lambda banc 2 capteur 2 : tension haute</source>
        <translation>Lambda probe bank 2 sensor 2: high voltage</translation>
    </message>
    <message id="P0158.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>The probe stays at a high voltage, as with a rich mixture: too much fuel, a fouled probe or a signal wire shorted to a voltage. Check the fuel pressure, the injectors and the wiring.</translation>
    </message>
    <message id="P0159.short">
        <source>Sonde lambda banc 2 capteur 2 : réponse lente</source>
        <translation>Lambda probe bank 2 sensor 2: slow response</translation>
    </message>
    <message id="P0159.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>The probe switches too slowly between rich and lean: an aged or fouled probe (oil, additives). Check the exhaust, then replace the probe if the fault comes back.</translation>
    </message>
    <message id="P0160.short">
        <source>Sonde lambda banc 2 capteur 2 : aucune activité</source>
        <translation>Lambda probe bank 2 sensor 2: no activity</translation>
    </message>
    <message id="P0160.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>The probe gives no usable signal: the probe stays cold (heater failed), an open circuit or a dead probe. Check the probe's heater and the wiring.</translation>
    </message>
    <message id="P0161.short">
        <source>Sonde lambda banc 2 capteur 2 : chauffage</source>
        <translation>Lambda probe bank 2 sensor 2: heater circuit</translation>
    </message>
    <message id="P0161.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>The probe's heater circuit is open or shorted. Measure the heater's resistance and check its supply (fuse, relay) and its wiring.</translation>
    </message>
    <message id="P0162.short">
        <source>Sonde lambda banc 2 capteur 3 : circuit</source>
        <translation>Lambda probe bank 2 sensor 3: circuit fault</translation>
    </message>
    <message id="P0162.long">
        <source>Le calculateur voit un défaut sur le circuit de la sonde lambda banc 2 capteur 3 (après le catalyseur). Contrôlez le connecteur (chaleur, humidité) et le faisceau jusqu'au calculateur.</source>
        <translation>The ECU sees a fault in the circuit of the lambda probe bank 2 sensor 3 (after the catalyst). Check the connector (heat, moisture) and the wiring up to the ECU.</translation>
    </message>
    <message id="P0163.short">
        <source>Sonde lambda banc 2 capteur 3 : tension basse</source>
        <translation>Lambda probe bank 2 sensor 3: low voltage</translation>
    </message>
    <message id="P0163.long">
        <source>La sonde reste à une tension basse, comme avec un mélange pauvre : prise d'air à l'échappement, injection trop pauvre ou fil de signal à la masse. Contrôlez l'étanchéité de l'échappement et le faisceau.</source>
        <translation>The probe stays at a low voltage, as with a lean mixture: an exhaust air leak, too little fuel or a signal wire shorted to ground. Check the exhaust for leaks and the wiring.</translation>
    </message>
    <message id="P0164.short">
        <source>Sonde lambda banc 2 capteur 3 : tension haute</source>
        <translation>Lambda probe bank 2 sensor 3: high voltage</translation>
    </message>
    <message id="P0164.long">
        <source>La sonde reste à une tension haute, comme avec un mélange riche : mélange trop riche, sonde encrassée ou fil de signal en court-circuit avec une tension. Contrôlez la pression d'essence, les injecteurs et le faisceau.</source>
        <translation>The probe stays at a high voltage, as with a rich mixture: too much fuel, a fouled probe or a signal wire shorted to a voltage. Check the fuel pressure, the injectors and the wiring.</translation>
    </message>
    <message id="P0165.short">
        <source>Sonde lambda banc 2 capteur 3 : réponse lente</source>
        <translation>Lambda probe bank 2 sensor 3: slow response</translation>
    </message>
    <message id="P0165.long">
        <source>La sonde bascule trop lentement entre riche et pauvre : sonde vieillie ou encrassée (huile, additifs). Contrôlez l'échappement, puis remplacez la sonde si le défaut revient.</source>
        <translation>The probe switches too slowly between rich and lean: an aged or fouled probe (oil, additives). Check the exhaust, then replace the probe if the fault comes back.</translation>
    </message>
    <message id="P0166.short">
        <source>Sonde lambda banc 2 capteur 3 : aucune activité</source>
        <translation>Lambda probe bank 2 sensor 3: no activity</translation>
    </message>
    <message id="P0166.long">
        <source>La sonde ne donne aucun signal exploitable : sonde restée froide (chauffage en panne), circuit ouvert ou sonde hors service. Contrôlez le chauffage de la sonde et le faisceau.</source>
        <translation>The probe gives no usable signal: the probe stays cold (heater failed), an open circuit or a dead probe. Check the probe's heater and the wiring.</translation>
    </message>
    <message id="P0167.short">
        <source>Sonde lambda banc 2 capteur 3 : chauffage</source>
        <translation>Lambda probe bank 2 sensor 3: heater circuit</translation>
    </message>
    <message id="P0167.long">
        <source>Le circuit de chauffage de la sonde est ouvert ou en court-circuit. Mesurez la résistance du chauffage et contrôlez son alimentation (fusible, relais) et son faisceau.</source>
        <translation>The probe's heater circuit is open or shorted. Measure the heater's resistance and check its supply (fuse, relay) and its wiring.</translation>
    </message>
    <message id="P0168.short">
        <source>Température du carburant trop élevée</source>
        <translation>Fuel temperature too high</translation>
    </message>
    <message id="P0168.long">
        <source>La température de l'essence dépasse sa limite. Contrôlez le retour au réservoir, la chaleur autour de la rampe d'injection et le capteur de température carburant.</source>
        <translation>The fuel temperature is above its limit. Check the return to the tank, the heat around the fuel rail and the fuel temperature sensor.</translation>
    </message>
    <message id="P0169.short">
        <source>Composition du carburant incorrecte</source>
        <translation>Incorrect fuel composition</translation>
    </message>
    <message id="P0169.long">
        <source>Le carburant ne correspond pas à ce que le calculateur attend (taux d'éthanol, présence d'eau). Contrôlez la qualité de l'essence et le capteur de composition.</source>
        <translation>The fuel is not what the ECU expects (ethanol content, water in the fuel). Check the fuel quality and the fuel composition sensor.</translation>
    </message>
    <message id="P0170.short">
        <source>Correction de richesse, banc 1</source>
        <translation>Fuel trim, bank 1</translation>
    </message>
    <message id="P0170.long">
        <source>La correction de richesse du banc 1 sort de ses limites. Contrôlez les prises d'air à l'admission, la pression d'essence, les injecteurs et la sonde lambda.</source>
        <translation>The fuel trim of bank 1 is out of its limits. Check the intake for air leaks, the fuel pressure, the injectors and the lambda probe.</translation>
    </message>
    <message id="P0171.short">
        <source>Mélange trop pauvre, banc 1</source>
        <translation>Mixture too lean, bank 1</translation>
    </message>
    <message id="P0171.long">
        <source>Le calculateur enrichit au maximum sans obtenir le bon mélange. Recherchez une prise d'air (pipes d'admission, colliers), une pression d'essence faible, un injecteur bouché ou une fuite d'échappement avant la sonde.</source>
        <translation>The ECU adds all the fuel it may and the mixture is still lean. Look for an air leak (intake rubbers, clamps), a low fuel pressure, a blocked injector or an exhaust leak ahead of the probe.</translation>
    </message>
    <message id="P0172.short">
        <source>Mélange trop riche, banc 1</source>
        <translation>Mixture too rich, bank 1</translation>
    </message>
    <message id="P0172.long">
        <source>Le calculateur appauvrit au maximum sans obtenir le bon mélange. Contrôlez la pression d'essence (régulateur), un injecteur qui fuit, le filtre à air et le capteur de pression d'admission.</source>
        <translation>The ECU takes away all the fuel it may and the mixture is still rich. Check the fuel pressure (regulator), a leaking injector, the air filter and the intake pressure sensor.</translation>
    </message>
    <message id="P0173.short">
        <source>Correction de richesse, banc 2</source>
        <translation>Fuel trim, bank 2</translation>
    </message>
    <message id="P0173.long">
        <source>La correction de richesse du banc 2 sort de ses limites. Contrôlez les prises d'air à l'admission, la pression d'essence, les injecteurs et la sonde lambda.</source>
        <translation>The fuel trim of bank 2 is out of its limits. Check the intake for air leaks, the fuel pressure, the injectors and the lambda probe.</translation>
    </message>
    <message id="P0174.short">
        <source>Mélange trop pauvre, banc 2</source>
        <translation>Mixture too lean, bank 2</translation>
    </message>
    <message id="P0174.long">
        <source>Le calculateur enrichit au maximum sans obtenir le bon mélange. Recherchez une prise d'air (pipes d'admission, colliers), une pression d'essence faible, un injecteur bouché ou une fuite d'échappement avant la sonde.</source>
        <translation>The ECU adds all the fuel it may and the mixture is still lean. Look for an air leak (intake rubbers, clamps), a low fuel pressure, a blocked injector or an exhaust leak ahead of the probe.</translation>
    </message>
    <message id="P0175.short">
        <source>Mélange trop riche, banc 2</source>
        <translation>Mixture too rich, bank 2</translation>
    </message>
    <message id="P0175.long">
        <source>Le calculateur appauvrit au maximum sans obtenir le bon mélange. Contrôlez la pression d'essence (régulateur), un injecteur qui fuit, le filtre à air et le capteur de pression d'admission.</source>
        <translation>The ECU takes away all the fuel it may and the mixture is still rich. Check the fuel pressure (regulator), a leaking injector, the air filter and the intake pressure sensor.</translation>
    </message>
    <message id="P0200.short">
        <source>Injecteurs : circuit</source>
        <translation>Injectors: circuit fault</translation>
    </message>
    <message id="P0200.long">
        <source>Le calculateur voit un défaut sur le circuit de commande des injecteurs. Contrôlez l'alimentation 12 V des injecteurs (relais, fusible) et leurs connecteurs.</source>
        <translation>The ECU sees a fault in the injectors' drive circuit. Check the injectors' 12 V supply (relay, fuse) and their connectors.</translation>
    </message>
    <message id="P0201.short">
        <source>Injecteur cylindre 1 : circuit</source>
        <translation>Injector cylinder 1: circuit fault</translation>
    </message>
    <message id="P0201.long">
        <source>Le circuit de commande de l'injecteur du cylindre 1 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 1 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0202.short">
        <source>Injecteur cylindre 2 : circuit</source>
        <translation>Injector cylinder 2: circuit fault</translation>
    </message>
    <message id="P0202.long">
        <source>Le circuit de commande de l'injecteur du cylindre 2 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 2 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0203.short">
        <source>Injecteur cylindre 3 : circuit</source>
        <translation>Injector cylinder 3: circuit fault</translation>
    </message>
    <message id="P0203.long">
        <source>Le circuit de commande de l'injecteur du cylindre 3 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 3 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0204.short">
        <source>Injecteur cylindre 4 : circuit</source>
        <translation>Injector cylinder 4: circuit fault</translation>
    </message>
    <message id="P0204.long">
        <source>Le circuit de commande de l'injecteur du cylindre 4 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 4 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0205.short">
        <source>Injecteur cylindre 5 : circuit</source>
        <translation>Injector cylinder 5: circuit fault</translation>
    </message>
    <message id="P0205.long">
        <source>Le circuit de commande de l'injecteur du cylindre 5 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 5 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0206.short">
        <source>Injecteur cylindre 6 : circuit</source>
        <translation>Injector cylinder 6: circuit fault</translation>
    </message>
    <message id="P0206.long">
        <source>Le circuit de commande de l'injecteur du cylindre 6 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 6 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0207.short">
        <source>Injecteur cylindre 7 : circuit</source>
        <translation>Injector cylinder 7: circuit fault</translation>
    </message>
    <message id="P0207.long">
        <source>Le circuit de commande de l'injecteur du cylindre 7 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 7 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0208.short">
        <source>Injecteur cylindre 8 : circuit</source>
        <translation>Injector cylinder 8: circuit fault</translation>
    </message>
    <message id="P0208.long">
        <source>Le circuit de commande de l'injecteur du cylindre 8 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 8 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0209.short">
        <source>Injecteur cylindre 9 : circuit</source>
        <translation>Injector cylinder 9: circuit fault</translation>
    </message>
    <message id="P0209.long">
        <source>Le circuit de commande de l'injecteur du cylindre 9 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 9 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0210.short">
        <source>Injecteur cylindre 10 : circuit</source>
        <translation>Injector cylinder 10: circuit fault</translation>
    </message>
    <message id="P0210.long">
        <source>Le circuit de commande de l'injecteur du cylindre 10 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 10 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0211.short">
        <source>Injecteur cylindre 11 : circuit</source>
        <translation>Injector cylinder 11: circuit fault</translation>
    </message>
    <message id="P0211.long">
        <source>Le circuit de commande de l'injecteur du cylindre 11 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 11 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0212.short">
        <source>Injecteur cylindre 12 : circuit</source>
        <translation>Injector cylinder 12: circuit fault</translation>
    </message>
    <message id="P0212.long">
        <source>Le circuit de commande de l'injecteur du cylindre 12 est ouvert ou en court-circuit. Mesurez la résistance de l'injecteur et contrôlez son connecteur et le fil qui le relie au calculateur.</source>
        <translation>The drive circuit of the cylinder 12 injector is open or shorted. Measure the injector's resistance and check its connector and the wire back to the ECU.</translation>
    </message>
    <message id="P0300.short">
        <source>Ratés de combustion sur plusieurs cylindres</source>
        <translation>Misfire on several cylinders</translation>
    </message>
    <message id="P0300.long">
        <source>Des ratés de combustion sont détectés sur plusieurs cylindres ou sans cylindre précis. Contrôlez les bougies, les bobines, la pression d'essence et les prises d'air.</source>
        <translation>Misfires are detected on several cylinders, or on no cylinder in particular. Check the spark plugs, the coils, the fuel pressure and the intake for air leaks.</translation>
    </message>
    <message id="P0301.short">
        <source>Ratés de combustion cylindre 1</source>
        <translation>Misfire cylinder 1</translation>
    </message>
    <message id="P0301.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 1. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 1. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0302.short">
        <source>Ratés de combustion cylindre 2</source>
        <translation>Misfire cylinder 2</translation>
    </message>
    <message id="P0302.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 2. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 2. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0303.short">
        <source>Ratés de combustion cylindre 3</source>
        <translation>Misfire cylinder 3</translation>
    </message>
    <message id="P0303.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 3. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 3. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0304.short">
        <source>Ratés de combustion cylindre 4</source>
        <translation>Misfire cylinder 4</translation>
    </message>
    <message id="P0304.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 4. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 4. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0305.short">
        <source>Ratés de combustion cylindre 5</source>
        <translation>Misfire cylinder 5</translation>
    </message>
    <message id="P0305.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 5. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 5. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0306.short">
        <source>Ratés de combustion cylindre 6</source>
        <translation>Misfire cylinder 6</translation>
    </message>
    <message id="P0306.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 6. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 6. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0307.short">
        <source>Ratés de combustion cylindre 7</source>
        <translation>Misfire cylinder 7</translation>
    </message>
    <message id="P0307.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 7. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 7. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0308.short">
        <source>Ratés de combustion cylindre 8</source>
        <translation>Misfire cylinder 8</translation>
    </message>
    <message id="P0308.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 8. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 8. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0309.short">
        <source>Ratés de combustion cylindre 9</source>
        <translation>Misfire cylinder 9</translation>
    </message>
    <message id="P0309.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 9. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 9. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0310.short">
        <source>Ratés de combustion cylindre 10</source>
        <translation>Misfire cylinder 10</translation>
    </message>
    <message id="P0310.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 10. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 10. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0311.short">
        <source>Ratés de combustion cylindre 11</source>
        <translation>Misfire cylinder 11</translation>
    </message>
    <message id="P0311.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 11. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 11. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0312.short">
        <source>Ratés de combustion cylindre 12</source>
        <translation>Misfire cylinder 12</translation>
    </message>
    <message id="P0312.long">
        <source>Des ratés de combustion sont détectés sur le cylindre 12. Contrôlez sa bougie, sa bobine et son antiparasite, son injecteur et la compression du cylindre.</source>
        <translation>Misfires are detected on cylinder 12. Check its spark plug, its coil and plug cap, its injector and the cylinder's compression.</translation>
    </message>
    <message id="P0324.short">
        <source>Contrôle du cliquetis : défaut système</source>
        <translation>Knock control system fault</translation>
    </message>
    <message id="P0324.long">
        <source>Le calculateur ne peut plus corriger l'avance d'après les capteurs de cliquetis. Contrôlez les capteurs, leur couple de serrage et leur faisceau.</source>
        <translation>The ECU can no longer correct the ignition advance from the knock sensors. Check the sensors, their tightening torque and their wiring.</translation>
    </message>
    <message id="P0325.short">
        <source>Capteur de cliquetis 1 : circuit</source>
        <translation>Knock sensor 1: circuit fault</translation>
    </message>
    <message id="P0325.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de cliquetis 1. Contrôlez le connecteur et le fil blindé jusqu'au calculateur.</source>
        <translation>The ECU sees a fault in the knock sensor 1 circuit. Check the connector and the shielded wire up to the ECU.</translation>
    </message>
    <message id="P0326.short">
        <source>Capteur de cliquetis 1 : plage ou fonctionnement</source>
        <translation>Knock sensor 1: range or performance</translation>
    </message>
    <message id="P0326.long">
        <source>Le signal du capteur n'est pas cohérent avec le régime. Contrôlez son couple de serrage sur le moteur (un capteur mal serré entend mal) et la présence d'un bruit mécanique anormal.</source>
        <translation>The sensor signal does not fit the engine speed. Check its tightening torque on the engine (a loose sensor hears poorly) and listen for an abnormal mechanical noise.</translation>
    </message>
    <message id="P0327.short">
        <source>Capteur de cliquetis 1 : signal bas</source>
        <translation>Knock sensor 1: signal low</translation>
    </message>
    <message id="P0327.long">
        <source>Le signal du capteur est trop faible : capteur desserré, circuit ouvert ou capteur défectueux. Contrôlez le serrage, le connecteur et le faisceau.</source>
        <translation>The sensor signal is too weak: a loose sensor, an open circuit or a faulty sensor. Check the tightening, the connector and the wiring.</translation>
    </message>
    <message id="P0328.short">
        <source>Capteur de cliquetis 1 : signal haut</source>
        <translation>Knock sensor 1: signal high</translation>
    </message>
    <message id="P0328.long">
        <source>Le signal du capteur est trop fort : fil de signal en court-circuit avec une tension, bruit mécanique important ou capteur défectueux.</source>
        <translation>The sensor signal is too strong: signal wire shorted to a voltage, a loud mechanical noise or a faulty sensor.</translation>
    </message>
    <message id="P0329.short">
        <source>Capteur de cliquetis 1 : signal intermittent</source>
        <translation>Knock sensor 1: signal intermittent</translation>
    </message>
    <message id="P0329.long">
        <source>Le signal du capteur se coupe par moments. Recherchez un faux contact au connecteur ou un blindage abîmé.</source>
        <translation>The sensor signal drops out now and then. Look for a loose contact at the connector or a damaged shield.</translation>
    </message>
    <message id="P0330.short">
        <source>Capteur de cliquetis 2 : circuit</source>
        <translation>Knock sensor 2: circuit fault</translation>
    </message>
    <message id="P0330.long">
        <source>Le calculateur voit un défaut sur le circuit du capteur de cliquetis 2. Contrôlez le connecteur et le fil blindé jusqu'au calculateur.</source>
        <translation>The ECU sees a fault in the knock sensor 2 circuit. Check the connector and the shielded wire up to the ECU.</translation>
    </message>
    <message id="P0331.short">
        <source>Capteur de cliquetis 2 : plage ou fonctionnement</source>
        <translation>Knock sensor 2: range or performance</translation>
    </message>
    <message id="P0331.long">
        <source>Le signal du capteur n'est pas cohérent avec le régime. Contrôlez son couple de serrage sur le moteur (un capteur mal serré entend mal) et la présence d'un bruit mécanique anormal.</source>
        <translation>The sensor signal does not fit the engine speed. Check its tightening torque on the engine (a loose sensor hears poorly) and listen for an abnormal mechanical noise.</translation>
    </message>
    <message id="P0332.short">
        <source>Capteur de cliquetis 2 : signal bas</source>
        <translation>Knock sensor 2: signal low</translation>
    </message>
    <message id="P0332.long">
        <source>Le signal du capteur est trop faible : capteur desserré, circuit ouvert ou capteur défectueux. Contrôlez le serrage, le connecteur et le faisceau.</source>
        <translation>The sensor signal is too weak: a loose sensor, an open circuit or a faulty sensor. Check the tightening, the connector and the wiring.</translation>
    </message>
    <message id="P0333.short">
        <source>Capteur de cliquetis 2 : signal haut</source>
        <translation>Knock sensor 2: signal high</translation>
    </message>
    <message id="P0333.long">
        <source>Le signal du capteur est trop fort : fil de signal en court-circuit avec une tension, bruit mécanique important ou capteur défectueux.</source>
        <translation>The sensor signal is too strong: signal wire shorted to a voltage, a loud mechanical noise or a faulty sensor.</translation>
    </message>
    <message id="P0334.short">
        <source>Capteur de cliquetis 2 : signal intermittent</source>
        <translation>Knock sensor 2: signal intermittent</translation>
    </message>
    <message id="P0334.long">
        <source>Le signal du capteur se coupe par moments. Recherchez un faux contact au connecteur ou un blindage abîmé.</source>
        <translation>The sensor signal drops out now and then. Look for a loose contact at the connector or a damaged shield.</translation>
    </message>
    <message id="P0335.short">
        <source>Capteur vilebrequin : circuit</source>
        <translation>Crankshaft sensor: circuit fault</translation>
    </message>
    <message id="P0335.long">
        <source>Le calculateur ne reçoit pas correctement le signal du capteur vilebrequin (capteur de tours) ; le moteur peut caler ou refuser de démarrer. Contrôlez l'entrefer, le connecteur, le faisceau et la résistance du capteur.</source>
        <translation>The ECU does not get a proper signal from the crankshaft (engine speed) sensor; the engine may stall or refuse to start. Check the air gap, the connector, the wiring and the sensor's resistance.</translation>
    </message>
    <message id="P0336.short">
        <source>Capteur vilebrequin : plage ou fonctionnement</source>
        <translation>Crankshaft sensor: range or performance</translation>
    </message>
    <message id="P0336.long">
        <source>Le signal vilebrequin est irrégulier (dents manquantes ou en trop). Contrôlez l'entrefer, la roue dentée (copeaux, dent abîmée) et le blindage du faisceau.</source>
        <translation>The crankshaft signal is irregular (teeth missing or too many). Check the air gap, the toothed wheel (swarf, a damaged tooth) and the wiring's shield.</translation>
    </message>
    <message id="P0337.short">
        <source>Capteur vilebrequin : signal bas</source>
        <translation>Crankshaft sensor: signal low</translation>
    </message>
    <message id="P0337.long">
        <source>Le signal du capteur vilebrequin est trop faible : entrefer trop grand, capteur encrassé ou circuit ouvert.</source>
        <translation>The crankshaft sensor signal is too weak: the air gap too wide, a dirty sensor or an open circuit.</translation>
    </message>
    <message id="P0338.short">
        <source>Capteur vilebrequin : signal haut</source>
        <translation>Crankshaft sensor: signal high</translation>
    </message>
    <message id="P0338.long">
        <source>Le signal du capteur vilebrequin est trop fort ou parasité : court-circuit avec une tension ou parasites de l'allumage. Contrôlez le faisceau et les antiparasites.</source>
        <translation>The crankshaft sensor signal is too strong or noisy: a short to a voltage or interference from the ignition. Check the wiring and the plug caps.</translation>
    </message>
    <message id="P0339.short">
        <source>Capteur vilebrequin : signal intermittent</source>
        <translation>Crankshaft sensor: signal intermittent</translation>
    </message>
    <message id="P0339.long">
        <source>Le signal du capteur vilebrequin se coupe par moments, ce qui peut couper le moteur. Recherchez un faux contact ou un fil abîmé.</source>
        <translation>The crankshaft sensor signal drops out now and then, which can stop the engine. Look for a loose contact or a damaged wire.</translation>
    </message>
    <message id="P0340.short">
        <source>Capteur arbre à cames : circuit</source>
        <translation>Camshaft sensor: circuit fault</translation>
    </message>
    <message id="P0340.long">
        <source>Le calculateur ne reçoit pas correctement le signal du capteur d'arbre à cames (phase). Contrôlez le connecteur, le faisceau et l'entrefer du capteur.</source>
        <translation>The ECU does not get a proper signal from the camshaft (phase) sensor. Check the connector, the wiring and the sensor's air gap.</translation>
    </message>
    <message id="P0341.short">
        <source>Capteur arbre à cames : plage ou fonctionnement</source>
        <translation>Camshaft sensor: range or performance</translation>
    </message>
    <message id="P0341.long">
        <source>Le signal d'arbre à cames n'est pas en phase avec le vilebrequin. Contrôlez le calage de la distribution (courroie, chaîne) et l'entrefer du capteur.</source>
        <translation>The camshaft signal is out of phase with the crankshaft. Check the valve timing (belt, chain) and the sensor's air gap.</translation>
    </message>
    <message id="P0342.short">
        <source>Capteur arbre à cames : signal bas</source>
        <translation>Camshaft sensor: signal low</translation>
    </message>
    <message id="P0342.long">
        <source>Le signal du capteur d'arbre à cames est trop faible : circuit ouvert, fil à la masse ou entrefer trop grand.</source>
        <translation>The camshaft sensor signal is too weak: an open circuit, a wire shorted to ground or the air gap too wide.</translation>
    </message>
    <message id="P0343.short">
        <source>Capteur arbre à cames : signal haut</source>
        <translation>Camshaft sensor: signal high</translation>
    </message>
    <message id="P0343.long">
        <source>Le signal du capteur d'arbre à cames est trop fort : fil de signal en court-circuit avec une tension. Contrôlez le faisceau.</source>
        <translation>The camshaft sensor signal is too strong: signal wire shorted to a voltage. Check the wiring.</translation>
    </message>
    <message id="P0344.short">
        <source>Capteur arbre à cames : signal intermittent</source>
        <translation>Camshaft sensor: signal intermittent</translation>
    </message>
    <message id="P0344.long">
        <source>Le signal du capteur d'arbre à cames se coupe par moments. Recherchez un faux contact au connecteur ou un fil abîmé.</source>
        <translation>The camshaft sensor signal drops out now and then. Look for a loose contact at the connector or a damaged wire.</translation>
    </message>
    <message id="P0345.short">
        <source>Capteur arbre à cames banc 2 : circuit</source>
        <translation>Camshaft sensor bank 2: circuit fault</translation>
    </message>
    <message id="P0345.long">
        <source>Le calculateur ne reçoit pas correctement le signal du capteur d'arbre à cames du banc 2. Contrôlez le connecteur, le faisceau et l'entrefer du capteur.</source>
        <translation>The ECU does not get a proper signal from the bank 2 camshaft sensor. Check the connector, the wiring and the sensor's air gap.</translation>
    </message>
    <message id="P0350.short">
        <source>Bobines d'allumage : circuit</source>
        <translation>Ignition coils: circuit fault</translation>
    </message>
    <message id="P0350.long">
        <source>Le calculateur voit un défaut sur la commande des bobines d'allumage. Contrôlez l'alimentation des bobines et leurs connecteurs.</source>
        <translation>The ECU sees a fault in the ignition coils' drive. Check the coils' supply and their connectors.</translation>
    </message>
    <message id="P0351.short">
        <source>Bobine d'allumage 1 : circuit</source>
        <translation>Ignition coil 1: circuit fault</translation>
    </message>
    <message id="P0351.long">
        <source>Le circuit de la bobine d'allumage 1 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 1 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0352.short">
        <source>Bobine d'allumage 2 : circuit</source>
        <translation>Ignition coil 2: circuit fault</translation>
    </message>
    <message id="P0352.long">
        <source>Le circuit de la bobine d'allumage 2 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 2 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0353.short">
        <source>Bobine d'allumage 3 : circuit</source>
        <translation>Ignition coil 3: circuit fault</translation>
    </message>
    <message id="P0353.long">
        <source>Le circuit de la bobine d'allumage 3 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 3 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0354.short">
        <source>Bobine d'allumage 4 : circuit</source>
        <translation>Ignition coil 4: circuit fault</translation>
    </message>
    <message id="P0354.long">
        <source>Le circuit de la bobine d'allumage 4 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 4 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0355.short">
        <source>Bobine d'allumage 5 : circuit</source>
        <translation>Ignition coil 5: circuit fault</translation>
    </message>
    <message id="P0355.long">
        <source>Le circuit de la bobine d'allumage 5 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 5 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0356.short">
        <source>Bobine d'allumage 6 : circuit</source>
        <translation>Ignition coil 6: circuit fault</translation>
    </message>
    <message id="P0356.long">
        <source>Le circuit de la bobine d'allumage 6 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 6 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0357.short">
        <source>Bobine d'allumage 7 : circuit</source>
        <translation>Ignition coil 7: circuit fault</translation>
    </message>
    <message id="P0357.long">
        <source>Le circuit de la bobine d'allumage 7 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 7 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0358.short">
        <source>Bobine d'allumage 8 : circuit</source>
        <translation>Ignition coil 8: circuit fault</translation>
    </message>
    <message id="P0358.long">
        <source>Le circuit de la bobine d'allumage 8 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 8 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0359.short">
        <source>Bobine d'allumage 9 : circuit</source>
        <translation>Ignition coil 9: circuit fault</translation>
    </message>
    <message id="P0359.long">
        <source>Le circuit de la bobine d'allumage 9 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 9 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0360.short">
        <source>Bobine d'allumage 10 : circuit</source>
        <translation>Ignition coil 10: circuit fault</translation>
    </message>
    <message id="P0360.long">
        <source>Le circuit de la bobine d'allumage 10 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 10 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0361.short">
        <source>Bobine d'allumage 11 : circuit</source>
        <translation>Ignition coil 11: circuit fault</translation>
    </message>
    <message id="P0361.long">
        <source>Le circuit de la bobine d'allumage 11 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 11 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0362.short">
        <source>Bobine d'allumage 12 : circuit</source>
        <translation>Ignition coil 12: circuit fault</translation>
    </message>
    <message id="P0362.long">
        <source>Le circuit de la bobine d'allumage 12 est ouvert ou en court-circuit. Mesurez les résistances primaire et secondaire de la bobine, et contrôlez son connecteur, son fil de commande et l'antiparasite.</source>
        <translation>The circuit of ignition coil 12 is open or shorted. Measure the coil's primary and secondary resistances, and check its connector, its drive wire and the plug cap.</translation>
    </message>
    <message id="P0500.short">
        <source>Capteur de vitesse du véhicule</source>
        <translation>Vehicle speed sensor</translation>
    </message>
    <message id="P0500.long">
        <source>Le calculateur ne reçoit pas de signal de vitesse alors que le moteur tourne en charge. Contrôlez le capteur de vitesse (roue ou boîte), son entrefer et son faisceau.</source>
        <translation>The ECU gets no speed signal while the engine runs under load. Check the speed sensor (wheel or gearbox), its air gap and its wiring.</translation>
    </message>
    <message id="P0501.short">
        <source>Capteur de vitesse : plage ou fonctionnement</source>
        <translation>Vehicle speed sensor: range or performance</translation>
    </message>
    <message id="P0501.long">
        <source>Le signal de vitesse n'est pas plausible au regard du régime et du rapport engagé. Contrôlez la cible du capteur, son entrefer et sa fixation.</source>
        <translation>The speed signal is not plausible against the engine speed and the gear engaged. Check the sensor's target, its air gap and its mounting.</translation>
    </message>
    <message id="P0502.short">
        <source>Capteur de vitesse : signal bas</source>
        <translation>Vehicle speed sensor: signal low</translation>
    </message>
    <message id="P0502.long">
        <source>Le signal de vitesse est trop faible ou absent : circuit ouvert, capteur encrassé ou entrefer trop grand.</source>
        <translation>The speed signal is too weak or missing: an open circuit, a dirty sensor or the air gap too wide.</translation>
    </message>
    <message id="P0503.short">
        <source>Capteur de vitesse : signal irrégulier ou haut</source>
        <translation>Vehicle speed sensor: erratic or high</translation>
    </message>
    <message id="P0503.long">
        <source>Le signal de vitesse est irrégulier ou trop fort : faux contact, parasites ou cible abîmée. Contrôlez le connecteur et le cheminement du faisceau.</source>
        <translation>The speed signal is erratic or too strong: a loose contact, interference or a damaged target. Check the connector and the wiring's route.</translation>
    </message>
    <message id="P0504.short">
        <source>Contacteur de frein : contacts incohérents</source>
        <translation>Brake switch: contacts disagree</translation>
    </message>
    <message id="P0504.long">
        <source>Les deux contacts du contacteur de frein ne donnent pas le même état. Contrôlez le contacteur, son réglage et son faisceau.</source>
        <translation>The two contacts of the brake switch do not give the same state. Check the switch, its setting and its wiring.</translation>
    </message>
    <message id="P0505.short">
        <source>Régulation de ralenti</source>
        <translation>Idle control system</translation>
    </message>
    <message id="P0505.long">
        <source>La régulation de ralenti (moteur pas à pas ou vanne) ne tient pas sa consigne. Contrôlez le moteur pas à pas, son conduit d'air (encrassement) et son faisceau.</source>
        <translation>The idle control (stepper motor or valve) does not hold its target. Check the stepper motor, its air passage (dirt) and its wiring.</translation>
    </message>
    <message id="P0506.short">
        <source>Ralenti plus bas que prévu</source>
        <translation>Idle speed lower than expected</translation>
    </message>
    <message id="P0506.long">
        <source>Le régime de ralenti reste sous la consigne. Contrôlez l'encrassement du corps papillon et du circuit d'air de ralenti, le filtre à air et la régulation de ralenti.</source>
        <translation>The idle speed stays below its target. Check the throttle body and the idle air passage for dirt, the air filter and the idle control.</translation>
    </message>
    <message id="P0507.short">
        <source>Ralenti plus haut que prévu</source>
        <translation>Idle speed higher than expected</translation>
    </message>
    <message id="P0507.long">
        <source>Le régime de ralenti reste au-dessus de la consigne. Recherchez une prise d'air, un câble de gaz trop tendu, un papillon qui ferme mal ou une butée déréglée.</source>
        <translation>The idle speed stays above its target. Look for an air leak, a throttle cable set too tight, a throttle that does not close or a mis-set stop.</translation>
    </message>
    <message id="P0508.short">
        <source>Régulation de ralenti : circuit bas</source>
        <translation>Idle control circuit low</translation>
    </message>
    <message id="P0508.long">
        <source>Le circuit de commande de la régulation de ralenti est à la masse ou ouvert. Contrôlez le connecteur et le faisceau du moteur pas à pas.</source>
        <translation>The idle control's drive circuit is shorted to ground or open. Check the connector and the wiring of the stepper motor.</translation>
    </message>
    <message id="P0509.short">
        <source>Régulation de ralenti : circuit haut</source>
        <translation>Idle control circuit high</translation>
    </message>
    <message id="P0509.long">
        <source>Le circuit de commande de la régulation de ralenti est en court-circuit avec une tension. Contrôlez le faisceau du moteur pas à pas.</source>
        <translation>The idle control's drive circuit is shorted to a voltage. Check the wiring of the stepper motor.</translation>
    </message>
    <message id="P0560.short">
        <source>Tension d'alimentation</source>
        <translation>System voltage</translation>
    </message>
    <message id="P0560.long">
        <source>La tension d'alimentation du calculateur n'est pas correcte. Contrôlez la batterie et ses bornes, la masse du calculateur et le circuit de charge.</source>
        <translation>The ECU's supply voltage is not right. Check the battery and its terminals, the ECU's ground and the charging circuit.</translation>
    </message>
    <message id="P0561.short">
        <source>Tension d'alimentation instable</source>
        <translation>System voltage unstable</translation>
    </message>
    <message id="P0561.long">
        <source>La tension d'alimentation varie trop. Contrôlez le serrage des bornes de batterie, les masses et le régulateur de charge.</source>
        <translation>The supply voltage varies too much. Check that the battery terminals are tight, the grounds and the charging regulator.</translation>
    </message>
    <message id="P0562.short">
        <source>Tension d'alimentation basse</source>
        <translation>System voltage low</translation>
    </message>
    <message id="P0562.long">
        <source>La tension d'alimentation est trop basse. Contrôlez la charge de la batterie, l'alternateur, le régulateur et les masses.</source>
        <translation>The supply voltage is too low. Check the battery's charge, the alternator, the regulator and the grounds.</translation>
    </message>
    <message id="P0563.short">
        <source>Tension d'alimentation haute</source>
        <translation>System voltage high</translation>
    </message>
    <message id="P0563.long">
        <source>La tension d'alimentation est trop haute, souvent à cause d'un régulateur de charge défectueux. Mesurez la tension de charge moteur tournant (14,5 V au plus environ).</source>
        <translation>The supply voltage is too high, often because of a faulty charging regulator. Measure the charging voltage with the engine running (about 14.5 V at most).</translation>
    </message>
    <message id="P0600.short">
        <source>Liaison série de communication</source>
        <translation>Serial communication link</translation>
    </message>
    <message id="P0600.long">
        <source>Le calculateur voit un défaut sur une liaison série avec un autre boîtier (tableau de bord, antidémarrage). Contrôlez les connecteurs et les fils de cette liaison.</source>
        <translation>The ECU sees a fault on a serial link to another unit (dashboard, immobiliser). Check the connectors and the wires of that link.</translation>
    </message>
    <message id="P0601.short">
        <source>Mémoire du calculateur : somme de contrôle</source>
        <translation>ECU memory checksum error</translation>
    </message>
    <message id="P0601.long">
        <source>La somme de contrôle de la mémoire programme est fausse. Le calculateur doit être reprogrammé ou remplacé.</source>
        <translation>The checksum of the program memory is wrong. The ECU must be reprogrammed or replaced.</translation>
    </message>
    <message id="P0602.short">
        <source>Erreur de programmation du calculateur</source>
        <translation>ECU programming error</translation>
    </message>
    <message id="P0602.long">
        <source>Le calculateur n'est pas programmé ou sa programmation est incomplète. Reprogrammez le calculateur avec le logiciel prévu.</source>
        <translation>The ECU is not programmed or its programming is incomplete. Reprogram the ECU with the software meant for it.</translation>
    </message>
    <message id="P0603.short">
        <source>Mémoire permanente du calculateur</source>
        <translation>ECU keep-alive memory error</translation>
    </message>
    <message id="P0603.long">
        <source>Les valeurs apprises que le calculateur conserve ont été perdues, souvent après une coupure de la batterie. Contrôlez l'alimentation permanente du calculateur ; le défaut disparaît quand les valeurs sont réapprises.</source>
        <translation>The learnt values the ECU keeps have been lost, often after the battery was disconnected. Check the ECU's permanent supply; the fault goes once the values are learnt again.</translation>
    </message>
    <message id="P0604.short">
        <source>Mémoire RAM du calculateur</source>
        <translation>ECU RAM error</translation>
    </message>
    <message id="P0604.long">
        <source>Le test de la mémoire vive du calculateur a échoué. Si le défaut revient après effacement, remplacez le calculateur.</source>
        <translation>The ECU's RAM test failed. If the fault comes back after clearing, replace the ECU.</translation>
    </message>
    <message id="P0605.short">
        <source>Mémoire ROM du calculateur</source>
        <translation>ECU ROM error</translation>
    </message>
    <message id="P0605.long">
        <source>Le test de la mémoire morte du calculateur a échoué. Reprogrammez le calculateur et remplacez-le si le défaut revient.</source>
        <translation>The ECU's ROM test failed. Reprogram the ECU and replace it if the fault comes back.</translation>
    </message>
    <message id="P0606.short">
        <source>Processeur du calculateur</source>
        <translation>ECU processor fault</translation>
    </message>
    <message id="P0606.long">
        <source>Le calculateur voit un défaut de son propre processeur. Contrôlez son alimentation et ses masses ; si le défaut revient, remplacez le calculateur.</source>
        <translation>The ECU sees a fault in its own processor. Check its supply and its grounds; if the fault comes back, replace the ECU.</translation>
    </message>
</context>
</TS>
