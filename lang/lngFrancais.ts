<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="fr_FR">
<context>
    <name></name>
    <message id="101">
        <source>Velkor</source>
        <translation>Velkor</translation>
    </message>
    <message id="102">
        <source>&amp;Fichier</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message id="103">
        <source>P&amp;aramétrages</source>
        <translation>P&amp;aramétrages</translation>
    </message>
    <message id="104">
        <source>&amp;Quitter</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message id="105">
        <source>Ac&amp;quisitions</source>
        <translation>Ac&amp;quisitions</translation>
    </message>
    <message id="106">
        <source>&amp;Initialisation</source>
        <translation>&amp;Initialisation</translation>
    </message>
    <message id="107">
        <source>Paramètres</source>
        <translation>Paramètres</translation>
    </message>
    <message id="108">
        <source>Diagnostic actif</source>
        <translation>Diagnostic actif</translation>
    </message>
    <message id="110">
        <source>Graphe</source>
        <translation>Graphe</translation>
    </message>
    <message id="111">
        <source>Ralenti</source>
        <translation>Ralenti</translation>
    </message>
    <message id="112">
        <source>Moyenne +</source>
        <translation>Moyenne +</translation>
    </message>
    <message id="113">
        <source>Moyenne -</source>
        <translation>Moyenne -</translation>
    </message>
    <message id="114">
        <source>Répondeur</source>
        <translation>Répondeur</translation>
    </message>
    <message id="115">
        <source>&amp;Aide</source>
        <translation>&amp;Aide</translation>
    </message>
    <message id="116">
        <source>A propos</source>
        <translation>A propos</translation>
    </message>
    <message id="117">
        <source>RMP (tr/mn)</source>
        <translation>RMP (tr/mn)</translation>
    </message>
    <message id="118">
        <source>Angle Gaz (deg)</source>
        <translation>Angle Gaz (deg)</translation>
    </message>
    <message id="119">
        <source>Injection (ms)</source>
        <translation>Injection (ms)</translation>
    </message>
    <message id="120">
        <source>T° Air (°C)</source>
        <translation>T° Air (°C)</translation>
    </message>
    <message id="121">
        <source>T° Mot. (°C)</source>
        <translation>T° Mot. (°C)</translation>
    </message>
    <message id="122">
        <source>Pression (mmHg)</source>
        <translation>Pression (mmHg)</translation>
    </message>
    <message id="123">
        <source>Avance (deg)</source>
        <translation>Avance (deg)</translation>
    </message>
    <message id="124">
        <source>Batterie (V)</source>
        <translation>Batterie (V)</translation>
    </message>
    <message id="125">
        <source>Moyenne</source>
        <translation>Moyenne</translation>
    </message>
    <message id="126">
        <source>Commandes</source>
        <translation>Commandes</translation>
    </message>
    <message id="127">
        <source>Initialisation F2</source>
        <translation>Initialisation F2</translation>
    </message>
    <message id="128">
        <source>Paramètres F3</source>
        <translation>Paramètres F3</translation>
    </message>
    <message id="129">
        <source>Diagnostic F4</source>
        <translation>Diagnostic F4</translation>
    </message>
    <message id="131">
        <source>Quitter  F9</source>
        <translation>Quitter  F9</translation>
    </message>
    <message id="132">
        <source>Graphe - Ctrl+ G</source>
        <translation>Graphe - Ctrl+ G</translation>
    </message>
    <message id="134">
        <source>COM</source>
        <translation>COM</translation>
    </message>
    <message id="135">
        <source>Init : ON</source>
        <translation>Init : ON</translation>
    </message>
    <message id="136">
        <source>Init : OFF</source>
        <translation>Init : OFF</translation>
    </message>
    <message id="137">
        <source>Attente / Wait</source>
        <translation>Attente</translation>
    </message>
    <message id="138">
        <source>Aucun Défaut présent / No Failure now</source>
        <translation>Aucun défaut présent</translation>
    </message>
    <message id="139">
        <source>Défaut(s)présent(s) / Failure(s)</source>
        <translation>Défaut(s) présent(s)</translation>
    </message>
    <message id="140">
        <source>Aucun Défaut mémorisé / No Failure in RAM</source>
        <translation>Aucun défaut mémorisé</translation>
    </message>
    <message id="141">
        <source>Défaut(s) mémorisé(s) / Failure(s) in RAM</source>
        <translation>Défaut(s) mémorisé(s)</translation>
    </message>
    <message id="142">
        <source>Attendre les instructions / Wait</source>
        <translation>Attendre les instructions</translation>
    </message>
    <message id="143">
        <source>Initialisation de la procédure / Init to process</source>
        <translation>Initialisation de la procédure</translation>
    </message>
    <message id="144">
        <source>Mettre le contact / Turn KEY ON</source>
        <translation>Mettre le contact</translation>
    </message>
    <message id="145">
        <source>et attendre les BIP et Init = ON</source>
        <translation>et attendre les BIP et Init = ON</translation>
    </message>
    <message id="146">
        <source>COM : Aucun</source>
        <translation>COM : Aucun</translation>
    </message>
    <message id="147">
        <source>Mesures en cours</source>
        <translation>Mesures en cours</translation>
    </message>
    <message id="155">
        <source>Double cliquer pour activer/désactiver</source>
        <translation>Double cliquer pour activer/désactiver</translation>
    </message>
    <message id="156">
        <source>Le moteur doit être en marche</source>
        <translation>Le moteur doit être en marche</translation>
    </message>
    <message id="158">
        <source>Mémorise</source>
        <translation>Mémorise</translation>
    </message>
    <message id="160">
        <source>Crank/ralenti</source>
        <translation>Crank/ralenti</translation>
    </message>
    <message id="161">
        <source>Pauvre</source>
        <translation>Pauvre</translation>
    </message>
    <message id="162">
        <source>Transition vers Riche</source>
        <translation>Transition vers Riche</translation>
    </message>
    <message id="163">
        <source>Riche</source>
        <translation>Riche</translation>
    </message>
    <message id="164">
        <source>Transition vers Pauvre</source>
        <translation>Transition vers Pauvre</translation>
    </message>
    <message id="165">
        <source>Anomalie Pauvre</source>
        <translation>Anomalie Pauvre</translation>
    </message>
    <message id="166">
        <source>Anomalie Riche</source>
        <translation>Anomalie Riche</translation>
    </message>
    <message id="167">
        <source>Modif Trimmer</source>
        <translation>Modif Trimmer</translation>
    </message>
    <message id="168">
        <source>&amp;Identification de l'ECU</source>
        <translation>&amp;Identification de l'ECU</translation>
    </message>
    <message id="169">
        <source>15M,16M: Couper le contact, 59/5A:Mettre le contact</source>
        <translation>15M,16M: Couper le contact, 59/5A:Mettre le contact</translation>
    </message>
    <message id="170">
        <source>Démarrage</source>
        <translation>Démarrage</translation>
    </message>
    <message id="171">
        <source>Mode motor</source>
        <translation>Mode motor</translation>
    </message>
    <message id="172">
        <source>Richesse/title</source>
        <translation>Richesse/title</translation>
    </message>
    <message id="173">
        <source>Stand</source>
        <translation>Stand</translation>
    </message>
    <message id="174">
        <source>Reset to </source>
        <translation>Reset to </translation>
    </message>
    <message id="175">
        <source>Statuts</source>
        <translation>Statuts</translation>
    </message>
    <message id="176">
        <source>TPS</source>
        <translation>TPS</translation>
    </message>
    <message id="177">
        <source>Moteur Pas à Pas</source>
        <translation>Moteur Pas à Pas</translation>
    </message>
    <message id="178">
        <source>Test Stepper</source>
        <translation>Test Stepper</translation>
    </message>
    <message id="302">
        <source>Erreurs</source>
        <translation>Erreurs</translation>
    </message>
    <message id="303">
        <source>Erreur(s) présente(s) / Failure(s) now</source>
        <translation>Erreur(s) présente(s)</translation>
    </message>
    <message id="304">
        <source>Erreur(s) mémorisée(s) / Failure(s) in RAM</source>
        <translation>Erreur(s) mémorisée(s)</translation>
    </message>
    <message id="305">
        <source>Lecture / Read</source>
        <translation>Lecture</translation>
    </message>
    <message id="306">
        <source>Fermer / Close</source>
        <translation>Fermer</translation>
    </message>
    <message id="308">
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message id="309">
        <source>Commandes</source>
        <translation>Commandes</translation>
    </message>
    <message id="310">
        <source>Effacement mémoire</source>
        <translation>Effacement mémoire</translation>
    </message>
    <message id="311">
        <source>Test Compte Tour</source>
        <translation>Test Compte Tour</translation>
    </message>
    <message id="312">
        <source>Test Pompe Essence</source>
        <translation>Test Pompe Essence</translation>
    </message>
    <message id="313">
        <source>Test Bobine 1</source>
        <translation>Test Bobine 1</translation>
    </message>
    <message id="314">
        <source>Test Bobine 2</source>
        <translation>Test Bobine 2</translation>
    </message>
    <message id="315">
        <source>Test Injecteur 1</source>
        <translation>Test Injecteur 1</translation>
    </message>
    <message id="316">
        <source>Test Injecteur 2</source>
        <translation>Test Injecteur 2</translation>
    </message>
    <message id="317">
        <source>Dialogue</source>
        <translation>Dialogue</translation>
    </message>
    <message id="318">
        <source>Diagnostic</source>
        <translation>Diagnostic</translation>
    </message>
    <message id="319">
        <source>Capteurs</source>
        <translation>Capteurs</translation>
    </message>
    <message id="320">
        <source>Commandes</source>
        <translation>Commandes</translation>
    </message>
    <message id="321">
        <source>Défaut</source>
        <translation>Défaut</translation>
    </message>
    <message id="322">
        <source>Statut moteur</source>
        <translation>Statut moteur</translation>
    </message>
    <message id="323">
        <source>Capteurs</source>
        <translation>Capteurs</translation>
    </message>
    <message id="324">
        <source>Commandes</source>
        <translation>Commandes</translation>
    </message>
    <message id="325">
        <source>Défaut</source>
        <translation>Défaut</translation>
    </message>
    <message id="326">
        <source>Attente de l'arrêt des mesures</source>
        <translation>Attente de l'arrêt des mesures</translation>
    </message>
    <message id="327">
        <source>Recliquer sur la commande  </source>
        <translation>Recliquer sur la commande  </translation>
    </message>
    <message id="328">
        <source>Le moteur doit être arrété</source>
        <translation>Le moteur doit être arrété</translation>
    </message>
    <message id="329">
        <source>Initialisation du test</source>
        <translation>Initialisation du test</translation>
    </message>
    <message id="330">
        <source>Mode Diag</source>
        <translation>Mode Diag</translation>
    </message>
    <message id="331">
        <source>Prêt</source>
        <translation>Prêt</translation>
    </message>
    <message id="332">
        <source>Commande lancée</source>
        <translation>Commande lancée</translation>
    </message>
    <message id="333">
        <source>Test en cours</source>
        <translation>Test en cours</translation>
    </message>
    <message id="334">
        <source>Fin incorrecte</source>
        <translation>Fin incorrecte</translation>
    </message>
    <message id="335">
        <source>Test échoué</source>
        <translation>Test échoué</translation>
    </message>
    <message id="336">
        <source>Test OK</source>
        <translation>Test OK</translation>
    </message>
    <message id="337">
        <source>Fin du mode diag</source>
        <translation>Fin du mode diag</translation>
    </message>
    <message id="338">
        <source>Confirmé</source>
        <translation>Confirmé</translation>
    </message>
    <message id="339">
        <source>: Terminé</source>
        <translation>: Terminé</translation>
    </message>
    <message id="349">
        <source>Partiel</source>
        <translation>Partiel</translation>
    </message>
    <message id="355">
        <source>Défaut Capteur Papillon</source>
        <translation>Défaut Capteur Papillon</translation>
    </message>
    <message id="356">
        <source>Défaut Capteur de Pression</source>
        <translation>Défaut Capteur de Pression</translation>
    </message>
    <message id="357">
        <source>Défaut Capteur Température Moteur</source>
        <translation>Défaut Capteur Température Moteur</translation>
    </message>
    <message id="358">
        <source>Défaut Capteur Température Air</source>
        <translation>Défaut Capteur Température Air</translation>
    </message>
    <message id="359">
        <source>Défaut Tension Batterie</source>
        <translation>Défaut Tension Batterie</translation>
    </message>
    <message id="360">
        <source>Défaut Injecteur</source>
        <translation>Défaut Injecteur</translation>
    </message>
    <message id="361">
        <source>Défaut Bobine 1</source>
        <translation>Défaut Bobine 1</translation>
    </message>
    <message id="362">
        <source>Défaut Bobine 2</source>
        <translation>Défaut Bobine 2</translation>
    </message>
    <message id="363">
        <source>Défaut Pompe Essence</source>
        <translation>Défaut Pompe Essence</translation>
    </message>
    <message id="364">
        <source>Défaut Relais Général</source>
        <translation>Défaut Relais Général</translation>
    </message>
    <message id="365">
        <source>Défaut Paramètre Trimmer</source>
        <translation>Défaut Paramètre Trimmer</translation>
    </message>
    <message id="366">
        <source>   en C.C GND</source>
        <translation>   en C.C GND</translation>
    </message>
    <message id="367">
        <source>   Open or V.Bat.</source>
        <translation>   Open or V.Bat.</translation>
    </message>
    <message id="368">
        <source>   en C.C V.Bat.</source>
        <translation>   en C.C V.Bat.</translation>
    </message>
    <message id="369">
        <source>   Open or GND</source>
        <translation>   Open or GND</translation>
    </message>
    <message id="370">
        <source>   Tension trop élevée</source>
        <translation>   Tension trop élevée</translation>
    </message>
    <message id="371">
        <source>   Tension trop faible</source>
        <translation>   Tension trop faible</translation>
    </message>
    <message id="372">
        <source>   Open</source>
        <translation>   Open</translation>
    </message>
    <message id="373">
        <source>   Open or C.C.GND</source>
        <translation>   Open or C.C.GND</translation>
    </message>
    <message id="374">
        <source>   Au Max</source>
        <translation>   Au Max</translation>
    </message>
    <message id="375">
        <source>   Au Min</source>
        <translation>   Au Min</translation>
    </message>
    <message id="376">
        <source>Erreur Mémoire RAM</source>
        <translation>Erreur Mémoire RAM</translation>
    </message>
    <message id="377">
        <source>Erreur Mémoire ROM</source>
        <translation>Erreur Mémoire ROM</translation>
    </message>
    <message id="378">
        <source>Erreur Mémoire EEPROM</source>
        <translation>Erreur Mémoire EEPROM</translation>
    </message>
    <message id="379">
        <source>Erreur Microprocesseur</source>
        <translation>Erreur Microprocesseur</translation>
    </message>
    <message id="380">
        <source>Défaut Capteur Tours</source>
        <translation>Défaut Capteur Tours</translation>
    </message>
    <message id="401">
        <source>Paramétrages</source>
        <translation>Paramétrages</translation>
    </message>
    <message id="402">
        <source>Type ECU</source>
        <translation>Type ECU</translation>
    </message>
    <message id="403">
        <source>Moto Cible</source>
        <translation>Moto Cible</translation>
    </message>
    <message id="404">
        <source>ECU</source>
        <translation>ECU</translation>
    </message>
    <message id="405">
        <source>Port COM</source>
        <translation>Port COM</translation>
    </message>
    <message id="406">
        <source>Langue</source>
        <translation>Langue</translation>
    </message>
    <message id="407">
        <source>Acquisitions</source>
        <translation>Acquisitions</translation>
    </message>
    <message id="408">
        <source>Lancement auto des acquisitions</source>
        <translation>Lancement auto des acquisitions</translation>
    </message>
    <message id="409">
        <source>Température Air</source>
        <translation>Température Air</translation>
    </message>
    <message id="410">
        <source>Température Eau</source>
        <translation>Température Eau</translation>
    </message>
    <message id="411">
        <source>Avance</source>
        <translation>Avance</translation>
    </message>
    <message id="412">
        <source>Injection</source>
        <translation>Injection</translation>
    </message>
    <message id="413">
        <source>Pression</source>
        <translation>Pression</translation>
    </message>
    <message id="414">
        <source>Tension</source>
        <translation>Tension</translation>
    </message>
    <message id="415">
        <source>Mode test (sans moto)</source>
        <translation>Mode test (sans moto)</translation>
    </message>
    <message id="416">
        <source>Oui</source>
        <translation>Oui</translation>
    </message>
    <message id="417">
        <source>Non</source>
        <translation>Non</translation>
    </message>
    <message id="418">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="501">
        <source>Velkor</source>
        <translation>Velkor</translation>
    </message>
    <message id="502">
        <source>Visualisation des erreurs</source>
        <translation>Visualisation des erreurs</translation>
    </message>
    <message id="503">
        <source>Précédente</source>
        <translation>Précédente</translation>
    </message>
    <message id="504">
        <source>Suivante</source>
        <translation>Suivante</translation>
    </message>
    <message id="505">
        <source>Nb de cycle(s) sans avoir revu cette erreur</source>
        <translation>Nb de cycle(s) sans avoir revu cette erreur</translation>
    </message>
    <message id="506">
        <source>Témoin au tableau de bord</source>
        <translation>Témoin au tableau de bord</translation>
    </message>
    <message id="507">
        <source>Cause</source>
        <translation>Cause</translation>
    </message>
    <message id="508">
        <source>Signal invalide</source>
        <translation>Signal invalide</translation>
    </message>
    <message id="509">
        <source>Pas de signal</source>
        <translation>Pas de signal</translation>
    </message>
    <message id="510">
        <source>Court Circuit à la masse</source>
        <translation>Court Circuit à la masse</translation>
    </message>
    <message id="511">
        <source>Reste à 12V</source>
        <translation>Reste à 12V</translation>
    </message>
    <message id="512">
        <source>Information de mémorisation</source>
        <translation>Information de mémorisation</translation>
    </message>
    <message id="513">
        <source>Présent</source>
        <translation>Présent</translation>
    </message>
    <message id="514">
        <source>Intermitent</source>
        <translation>Intermitent</translation>
    </message>
    <message id="515">
        <source>Mémorisé</source>
        <translation>Mémorisé</translation>
    </message>
    <message id="516">
        <source>Non mémorisé</source>
        <translation>Non mémorisé</translation>
    </message>
    <message id="517">
        <source>Supprimer Erreurs</source>
        <translation>Supprimer Erreurs</translation>
    </message>
    <message id="519">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="523">
        <source>Pas d'erreur détectée</source>
        <translation>Pas d'erreur détectée</translation>
    </message>
    <message id="524">
        <source>Erreur numéro </source>
        <translation>Erreur numéro </translation>
    </message>
    <message id="525">
        <source> sur </source>
        <translation> sur </translation>
    </message>
    <message id="527">
        <source>Lancer le test</source>
        <translation>Lancer le test</translation>
    </message>
    <message id="528">
        <source>Arrêter le test</source>
        <translation>Arrêter le test</translation>
    </message>
    <message id="529">
        <source>Test OK</source>
        <translation>Test OK</translation>
    </message>
    <message id="530">
        <source>Test Echoué: </source>
        <translation>Test Echoué: </translation>
    </message>
    <message id="531">
        <source>Cause générale</source>
        <translation>Cause générale</translation>
    </message>
    <message id="532">
        <source>Sous fonction non supportée</source>
        <translation>Sous fonction non supportée</translation>
    </message>
    <message id="533">
        <source>Conditions incorrectes</source>
        <translation>Conditions incorrectes</translation>
    </message>
    <message id="534">
        <source>Cause inconnue</source>
        <translation>Cause inconnue</translation>
    </message>
    <message id="535">
        <source>Test actif des composants</source>
        <translation>Test actif des composants</translation>
    </message>
    <message id="536">
        <source>Choississez votre test</source>
        <translation>Choississez votre test</translation>
    </message>
    <message id="540">
        <source>Compte Tour</source>
        <translation>Compte Tour</translation>
    </message>
    <message id="541">
        <source>Pompe à essence</source>
        <translation>Pompe à essence</translation>
    </message>
    <message id="542">
        <source>Bobine 1</source>
        <translation>Bobine 1</translation>
    </message>
    <message id="543">
        <source>Bobine 2</source>
        <translation>Bobine 2</translation>
    </message>
    <message id="544">
        <source>Injecteur 1</source>
        <translation>Injecteur 1</translation>
    </message>
    <message id="545">
        <source>Injecteur 2</source>
        <translation>Injecteur 2</translation>
    </message>
    <message id="546">
        <source>Ventilateur 1</source>
        <translation>Ventilateur 1</translation>
    </message>
    <message id="547">
        <source>Ventilateur 2</source>
        <translation>Ventilateur 2</translation>
    </message>
    <message id="550">
        <source>Vérifiez que le compte tour monte à 3750 tr/mn.</source>
        <translation>Vérifiez que le compte tour monte à 3750 tr/mn.</translation>
    </message>
    <message id="551">
        <source>Vérifiez que vous entendez la pompe à essence.</source>
        <translation>Vérifiez que vous entendez la pompe à essence.</translation>
    </message>
    <message id="552">
        <source>Test bobine cylindre horizontal</source>
        <translation>Test bobine cylindre horizontal</translation>
    </message>
    <message id="553">
        <source>Test bobine cylindre Vertical</source>
        <translation>Test bobine cylindre Vertical</translation>
    </message>
    <message id="554">
        <source>Test injecteur cylindre horizontal</source>
        <translation>Test injecteur cylindre horizontal</translation>
    </message>
    <message id="555">
        <source>Test injecteur cyindre Vertical</source>
        <translation>Test injecteur cyindre Vertical</translation>
    </message>
    <message id="556">
        <source>Test ventilateur 1</source>
        <translation>Test ventilateur 1</translation>
    </message>
    <message id="557">
        <source>Test ventilateur 2</source>
        <translation>Test ventilateur 2</translation>
    </message>
    <message id="558">
        <source>Sortie</source>
        <translation>Sortie</translation>
    </message>
    <message id="559">
        <source>Rentrée</source>
        <translation>Rentrée</translation>
    </message>
    <message id="563">
        <source>Système OK</source>
        <translation>Système OK</translation>
    </message>
    <message id="564">
        <source>AntiDemarrage</source>
        <translation>AntiDemarrage</translation>
    </message>
    <message id="565">
        <source>ECU Vierge</source>
        <translation>ECU Vierge</translation>
    </message>
    <message id="566">
        <source>ECU Bloqué</source>
        <translation>ECU Bloqué</translation>
    </message>
    <message id="567">
        <source>Code Universel</source>
        <translation>Code Universel</translation>
    </message>
    <message id="568">
        <source>Recu Backdoor code</source>
        <translation>Recu Backdoor code</translation>
    </message>
    <message id="569">
        <source>Erreur code key</source>
        <translation>Erreur code key</translation>
    </message>
    <message id="570">
        <source>Aucun code reçu</source>
        <translation>Aucun code reçu</translation>
    </message>
    <message id="571">
        <source>Code Non Noto</source>
        <translation>Code Non Noto</translation>
    </message>
    <message id="572">
        <source>Statut Antidémarrage</source>
        <translation>Statut Antidémarrage</translation>
    </message>
    <message id="573">
        <source>Cause : non disponible en EOBD</source>
        <translation>Cause : non disponible en EOBD</translation>
    </message>
    <message id="574">
        <source>Signal invalide</source>
        <translation>Signal invalide</translation>
    </message>
    <message id="575">
        <source>Pas de signal</source>
        <translation>Pas de signal</translation>
    </message>
    <message id="576">
        <source>Court Circuit à la masse</source>
        <translation>Court Circuit à la masse</translation>
    </message>
    <message id="577">
        <source>Reste à 12V</source>
        <translation>Reste à 12V</translation>
    </message>
    <message id="578">
        <source>Mémorisation : non disponible en EOBD</source>
        <translation>Mémorisation : non disponible en EOBD</translation>
    </message>
    <message id="579">
        <source>Présent</source>
        <translation>Présent</translation>
    </message>
    <message id="580">
        <source>Intermitent</source>
        <translation>Intermitent</translation>
    </message>
    <message id="581">
        <source>Mémorisé</source>
        <translation>Mémorisé</translation>
    </message>
    <message id="582">
        <source>Non mémorisé</source>
        <translation>Non mémorisé</translation>
    </message>
    <message id="583">
        <source>Pas de réponse de l'ECU</source>
        <translation>Pas de réponse de l'ECU</translation>
    </message>
    <message id="584">
        <source>Effacer toutes les erreurs mémorisées ?</source>
        <translation>Effacer toutes les erreurs mémorisées ?</translation>
    </message>
    <message id="585">
        <source>Effacement refusé par l'ECU : </source>
        <translation>Effacement refusé par l'ECU : </translation>
    </message>
    <message id="586">
        <source>Lecture refusée par l'ECU : </source>
        <translation>Lecture refusée par l'ECU : </translation>
    </message>
    <message id="587">
        <source>Non disponible en EOBD</source>
        <translation>Non disponible en EOBD</translation>
    </message>
    <message id="706">
        <source>La valeur Maximum possible est 126</source>
        <translation>La valeur Maximum possible est 126</translation>
    </message>
    <message id="708">
        <source>Erreur de commande</source>
        <translation>Erreur de commande</translation>
    </message>
    <message id="709">
        <source>Commande OK</source>
        <translation>Commande OK</translation>
    </message>
    <message id="712">
        <source>Condition not correct</source>
        <translation>Condition not correct</translation>
    </message>
    <message id="801">
        <source>Démo</source>
        <translation>Démo</translation>
    </message>
    <message id="802">
        <source>ELM sur COM</source>
        <translation>ELM sur COM</translation>
    </message>
    <message id="803">
        <source>aucun port</source>
        <translation>aucun port</translation>
    </message>
    <message id="811">
        <source>Device</source>
        <translation>Device</translation>
    </message>
    <message id="812">
        <source>Choise the type</source>
        <translation>Choise the type</translation>
    </message>
    <message id="813">
        <source>Help to connect at BT</source>
        <translation>Help to connect at BT</translation>
    </message>
    <message id="814">
        <source>Call Favoris Bleutooth</source>
        <translation>Call Favoris Bleutooth</translation>
    </message>
    <message id="815">
        <source>Find ELM (CBT ou CHX), connect</source>
        <translation>Find ELM (CBT ou CHX), connect</translation>
    </message>
    <message id="816">
        <source>Note the port COM of BT</source>
        <translation>Note the port COM of BT</translation>
    </message>
    <message id="817">
        <source>What's New</source>
        <translation>What's New</translation>
    </message>
    <message id="821">
        <source>Pas de réponse de l'ECU ! Vérifiez les connexions</source>
        <translation>Pas de réponse de l'ECU ! Vérifiez les connexions</translation>
    </message>
    <message id="822">
        <source>Fatal erreur</source>
        <translation>Fatal erreur</translation>
    </message>
    <message id="823">
        <source>A ce moment le contact de la moto doit être coupé,&#13;Mettre le contact après OK&#13;At this point the KEY must be OFF,&#13;Turn KEY ON after check OK</source>
        <translation>A ce moment le contact de la moto doit être coupé,&#13;Mettre le contact après OK</translation>
    </message>
    <message id="824">
        <source>Attention/Caution</source>
        <translation>Attention</translation>
    </message>
    <message id="825">
        <source>Echec</source>
        <translation>Echec</translation>
    </message>
    <message id="826">
        <source>Couper le contact de la moto&#13;Turn KEY OFF</source>
        <translation>Couper le contact de la moto</translation>
    </message>
    <message id="827">
        <source>RéInitialisation/Reset Init</source>
        <translation>RéInitialisation</translation>
    </message>
    <message id="828">
        <source>Impossible d'ouvrir le port </source>
        <translation>Impossible d'ouvrir le port </translation>
    </message>
    <message id="829">
        <source>le câble ne répond pas</source>
        <translation>le câble ne répond pas</translation>
    </message>
    <message id="830">
        <source>aucun port série</source>
        <translation>aucun port série</translation>
    </message>
    <message id="831">
        <source>Initialisation</source>
        <translation>Initialisation</translation>
    </message>
    <message id="832">
        <source>Init Mode </source>
        <translation>Init Mode </translation>
    </message>
    <message id="841">
        <source>Moteur/Engine</source>
        <translation>Moteur</translation>
    </message>
    <message id="842">
        <source>Sonde lambda</source>
        <translation>Sonde lambda</translation>
    </message>
    <message id="851">
        <source> Aller dans Diagnostic pour une analyse complète</source>
        <translation> Aller dans Diagnostic pour une analyse complète</translation>
    </message>
    <message id="852">
        <source>S&amp;tatuts</source>
        <translation>S&amp;tatuts</translation>
    </message>
    <message id="853">
        <source>Test Interface</source>
        <translation>Test Interface</translation>
    </message>
    <message id="854">
        <source>Ré-Initialisation</source>
        <translation>Ré-Initialisation</translation>
    </message>
    <message id="855">
        <source>Moins 1</source>
        <translation>Moins 1</translation>
    </message>
    <message id="856">
        <source>Aide</source>
        <translation>Aide</translation>
    </message>
    <message id="857">
        <source>Support en ligne</source>
        <translation>Support en ligne</translation>
    </message>
    <message id="858">
        <source>Arrêter les mesures pour lancer les diagnostics</source>
        <translation>Arrêter les mesures pour lancer les diagnostics</translation>
    </message>
    <message id="859">
        <source>Cocher pour tracer les courbes</source>
        <translation>Cocher pour tracer les courbes</translation>
    </message>
    <message id="860">
        <source>Permet de stabiliser l'affichage en moyennant les valeurs. Ctrl+P=+5 ou Ctrl+M=-5</source>
        <translation>Permet de stabiliser l'affichage en moyennant les valeurs. Ctrl+P=+5 ou Ctrl+M=-5</translation>
    </message>
    <message id="861">
        <source>Aucun tableur n'a été trouvé pour ouvrir l'enregistrement. Il se trouve ici :</source>
        <translation>Aucun tableur n'a été trouvé pour ouvrir l'enregistrement. Il se trouve ici :</translation>
    </message>
    <message id="862">
        <source>Enregistrement</source>
        <translation>Enregistrement</translation>
    </message>
    <message id="863">
        <source>Défauts Présents :</source>
        <translation>Défauts Présents :</translation>
    </message>
    <message id="864">
        <source>Défauts RAM :</source>
        <translation>Défauts RAM :</translation>
    </message>
    <message id="865">
        <source>Statuts</source>
        <translation>Statuts</translation>
    </message>
    <message id="866">
        <source>RAS</source>
        <translation>RAS</translation>
    </message>
    <message id="867">
        <source>Pas de réponse</source>
        <translation>Pas de réponse</translation>
    </message>
    <message id="868">
        <source>Statut inconnu</source>
        <translation>Statut inconnu</translation>
    </message>
    <message id="869">
        <source>Lecture incomplète : l'ECU n'a pas répondu à toutes les demandes / Incomplete read: the ECU did not answer every request</source>
        <translation>Lecture incomplète : l'ECU n'a pas répondu à toutes les demandes / Incomplete read: the ECU did not answer every request</translation>
    </message>
    <message id="870">
        <source>Attente de l'arrêt des mesures</source>
        <translation>Attente de l'arrêt des mesures</translation>
    </message>
    <message id="871">
        <source>Recliquer sur Lecture / Try again</source>
        <translation>Recliquer sur Lecture / Try again</translation>
    </message>
    <message id="872">
        <source>Habilitation Stepper OK</source>
        <translation>Habilitation Stepper OK</translation>
    </message>
    <message id="873">
        <source>Moteur en marche</source>
        <translation>Moteur en marche</translation>
    </message>
    <message id="874">
        <source>Moteur arrêté</source>
        <translation>Moteur arrêté</translation>
    </message>
    <message id="875">
        <source>Papillon au maxi ou mini / TPS max or min</source>
        <translation>Papillon au maxi ou mini / TPS max or min</translation>
    </message>
    <message id="876">
        <source>Papillon en position intermédiaire / TPS medium</source>
        <translation>Papillon en position intermédiaire / TPS medium</translation>
    </message>
    <message id="877">
        <source>Test Stepper en action</source>
        <translation>Test Stepper en action</translation>
    </message>
    <message id="878">
        <source>Le moteur doit être arrêté</source>
        <translation>Le moteur doit être arrêté</translation>
    </message>
    <message id="879">
        <source>État du moteur inconnu : l'ECU n'a pas confirmé que le moteur est arrêté</source>
        <translation>État du moteur inconnu : l'ECU n'a pas confirmé que le moteur est arrêté</translation>
    </message>
    <message id="880">
        <source>Reset TPS : moteur arrêté, contact mis, poignée des gaz relâchée. Lancer le reset ?</source>
        <translation>Reset TPS : moteur arrêté, contact mis, poignée des gaz relâchée. Lancer le reset ?</translation>
    </message>
    <message id="881">
        <source>Reset Service : moteur arrêté, contact mis. Lancer le reset ?</source>
        <translation>Reset Service : moteur arrêté, contact mis. Lancer le reset ?</translation>
    </message>
    <message id="882">
        <source>L'ECU n'a pas confirmé l'arrêt du test : coupez le contact maintenant ! / The ECU did not confirm the end of the test: switch the ignition off now!</source>
        <translation>L'ECU n'a pas confirmé l'arrêt du test : coupez le contact maintenant ! / The ECU did not confirm the end of the test: switch the ignition off now!</translation>
    </message>
    <message id="883">
        <source>Arrêt du test / Test stop</source>
        <translation>Arrêt du test / Test stop</translation>
    </message>
    <message id="884">
        <source>Pas de réponse de l'ECU</source>
        <translation>Pas de réponse de l'ECU</translation>
    </message>
    <message id="885">
        <source>Reset TPS confirmé par l'ECU</source>
        <translation>Reset TPS confirmé par l'ECU</translation>
    </message>
    <message id="886">
        <source>Résultat du reset TPS non reçu</source>
        <translation>Résultat du reset TPS non reçu</translation>
    </message>
    <message id="887">
        <source>Test terminé</source>
        <translation>Test terminé</translation>
    </message>
    <message id="888">
        <source>Pas de fin de test de l'ECU</source>
        <translation>Pas de fin de test de l'ECU</translation>
    </message>
    <message id="889">
        <source>Fin de test inattendue : </source>
        <translation>Fin de test inattendue : </translation>
    </message>
    <message id="890">
        <source>Test interrompu</source>
        <translation>Test interrompu</translation>
    </message>
    <message id="891">
        <source>Sortie du mode diag non confirmée</source>
        <translation>Sortie du mode diag non confirmée</translation>
    </message>
    <message id="892">
        <source>Commande non acceptée par l'ECU</source>
        <translation>Commande non acceptée par l'ECU</translation>
    </message>
    <message id="904">
        <source>Impossible de récupérer la mise à jour</source>
        <translation>Impossible de récupérer la mise à jour</translation>
    </message>
    <message id="905">
        <source>Vérifiez que vous êtes bien connecté à Internet et réessayez plus tard</source>
        <translation>Vérifiez que vous êtes bien connecté à Internet et réessayez plus tard</translation>
    </message>
    <message id="906">
        <source>Power ON Eng OFF</source>
        <translation>Power ON Eng OFF</translation>
    </message>
    <message id="907">
        <source>Key ON Eng OFF</source>
        <translation>Key ON Eng OFF</translation>
    </message>
    <message id="908">
        <source>Engine ON</source>
        <translation>Engine ON</translation>
    </message>
    <message id="909">
        <source>Engine stall / Moteur Calé</source>
        <translation>Moteur Calé</translation>
    </message>
    <message id="910">
        <source>Process Power-Latch</source>
        <translation>Process Power-Latch</translation>
    </message>
    <message id="911">
        <source>End of power-Latch</source>
        <translation>End of power-Latch</translation>
    </message>
    <message id="912">
        <source>Crank/Démarrage</source>
        <translation>Démarrage</translation>
    </message>
    <message id="913">
        <source>Stabilizzato in Crank</source>
        <translation>Stabilizzato in Crank</translation>
    </message>
    <message id="914">
        <source>Decelerazione in Crank</source>
        <translation>Decelerazione in Crank</translation>
    </message>
    <message id="915">
        <source>Accelerazione in Crank</source>
        <translation>Accelerazione in Crank</translation>
    </message>
    <message id="916">
        <source>Minimo al Crank</source>
        <translation>Minimo al Crank</translation>
    </message>
    <message id="917">
        <source>Motore in moto stabilizzato</source>
        <translation>Motore in moto stabilizzato</translation>
    </message>
    <message id="918">
        <source>Motore in moto al minimo</source>
        <translation>Motore in moto al minimo</translation>
    </message>
    <message id="919">
        <source>Motore in moto in accelerazione</source>
        <translation>Motore in moto in accelerazione</translation>
    </message>
    <message id="920">
        <source>Motore in moto in decelerazione</source>
        <translation>Motore in moto in decelerazione</translation>
    </message>
    <message id="921">
        <source>Entrata in Cut-Off</source>
        <translation>Entrata in Cut-Off</translation>
    </message>
    <message id="922">
        <source>Stato in Cut-Off</source>
        <translation>Stato in Cut-Off</translation>
    </message>
    <message id="923">
        <source>Uscita di Cut-Off</source>
        <translation>Uscita di Cut-Off</translation>
    </message>
    <message id="924">
        <source>Uscita da Cut-Off in Stabilizzato</source>
        <translation>Uscita da Cut-Off in Stabilizzato</translation>
    </message>
    <message id="925">
        <source>Uscita da Cut-Off in accelerazione</source>
        <translation>Uscita da Cut-Off in accelerazione</translation>
    </message>
    <message id="950">
        <source>Mémoriser dans l'ECU le trimmer à </source>
        <translation>Mémoriser dans l'ECU le trimmer à </translation>
    </message>
    <message id="951">
        <source>Mémorisation du trimmer en attente : </source>
        <translation>Mémorisation du trimmer en attente : </translation>
    </message>
    <message id="952">
        <source>Mémorisation du trimmer annulée</source>
        <translation>Mémorisation du trimmer annulée</translation>
    </message>
    <message id="953">
        <source>Trimmer non pris par l'ECU : </source>
        <translation>Trimmer non pris par l'ECU : </translation>
    </message>
    <message id="955">
        <source>Limite du trimmer atteinte</source>
        <translation>Limite du trimmer atteinte</translation>
    </message>
    <message id="956">
        <source>Pas d'écho de l'ECU : la valeur reste </source>
        <translation>Pas d'écho de l'ECU : la valeur reste </translation>
    </message>
    <message id="957">
        <source>Valeur mémorisée : </source>
        <translation>Valeur mémorisée : </translation>
    </message>
    <message id="958">
        <source>Mémorisation non confirmée, l'ECU lit : </source>
        <translation>Mémorisation non confirmée, l'ECU lit : </translation>
    </message>
    <message id="959">
        <source>Valeur d'origine rétablie : </source>
        <translation>Valeur d'origine rétablie : </translation>
    </message>
    <message id="960">
        <source>Retour non confirmé, l'ECU lit : </source>
        <translation>Retour non confirmé, l'ECU lit : </translation>
    </message>
    <message id="961">
        <source>Test Stepper refusé : </source>
        <translation>Test Stepper refusé : </translation>
    </message>
    <message id="962">
        <source>pas de réponse de l'ECU</source>
        <translation>pas de réponse de l'ECU</translation>
    </message>
    <message id="963">
        <source>Pas de réponse de l'ECU : trimmer inconnu</source>
        <translation>Pas de réponse de l'ECU : trimmer inconnu</translation>
    </message>
    <message id="964">
        <source>Etat du moteur inconnu : pas de réponse de l'ECU</source>
        <translation>Etat du moteur inconnu : pas de réponse de l'ECU</translation>
    </message>
    <message id="965">
        <source>L'ECU n'est pas entré en mode diagnostic</source>
        <translation>L'ECU n'est pas entré en mode diagnostic</translation>
    </message>
    <message id="966">
        <source>Trimmer hors plage, mode trimmer refusé : </source>
        <translation>Trimmer hors plage, mode trimmer refusé : </translation>
    </message>
</context>
</TS>
