<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="fr_FR">
<context>
    <name></name>
    <message id="101">
        <source>Velkor</source>
        <translation>Velkor</translation>
    </message>
    <message id="102">
        <source>&amp;Fichier</source>
        <translation>&amp;File</translation>
    </message>
    <message id="103">
        <source>P&amp;aramétrages</source>
        <translation>&amp;Settings</translation>
    </message>
    <message id="104">
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message id="105">
        <source>Ac&amp;quisitions</source>
        <translation>&amp;Measurements</translation>
    </message>
    <message id="106">
        <source>&amp;Initialisation</source>
        <translation>&amp;Start session</translation>
    </message>
    <message id="107">
        <source>Paramètres</source>
        <translation>Parameters</translation>
    </message>
    <message id="108">
        <source>Diagnostic actif</source>
        <translation>Active diagnostics</translation>
    </message>
    <message id="110">
        <source>Graphe</source>
        <translation>Graph</translation>
    </message>
    <message id="111">
        <source>Ralenti</source>
        <translation>Idle</translation>
    </message>
    <message id="112">
        <source>Moyenne +</source>
        <translation>Average +</translation>
    </message>
    <message id="113">
        <source>Moyenne -</source>
        <translation>Average -</translation>
    </message>
    <message id="114">
        <source>Répondeur</source>
        <translation>Responder</translation>
    </message>
    <message id="115">
        <source>&amp;Aide</source>
        <translation>&amp;Help</translation>
    </message>
    <message id="116">
        <source>A propos</source>
        <translation>About</translation>
    </message>
    <message id="117">
        <source>RMP (tr/mn)</source>
        <translation>Engine speed (rpm)</translation>
    </message>
    <message id="118">
        <source>Angle Gaz (deg)</source>
        <translation>Throttle angle (deg)</translation>
    </message>
    <message id="119">
        <source>Injection (ms)</source>
        <translation>Injection (ms)</translation>
    </message>
    <message id="120">
        <source>T° Air (°C)</source>
        <translation>Air temp. (°C)</translation>
    </message>
    <message id="121">
        <source>T° Mot. (°C)</source>
        <translation>Engine temp. (°C)</translation>
    </message>
    <message id="122">
        <source>Pression (mmHg)</source>
        <translation>Pressure (mmHg)</translation>
    </message>
    <message id="123">
        <source>Avance (deg)</source>
        <translation>Ignition advance (deg)</translation>
    </message>
    <message id="124">
        <source>Batterie (V)</source>
        <translation>Battery (V)</translation>
    </message>
    <message id="125">
        <source>Moyenne</source>
        <translation>Average</translation>
    </message>
    <message id="126">
        <source>Commandes</source>
        <translation>Commands</translation>
    </message>
    <message id="127">
        <source>Initialisation F2</source>
        <translation>Start F2</translation>
    </message>
    <message id="128">
        <source>Paramètres F3</source>
        <translation>Parameters F3</translation>
    </message>
    <message id="129">
        <source>Diagnostic F4</source>
        <translation>Diagnostics F4</translation>
    </message>
    <message id="131">
        <source>Quitter  F9</source>
        <translation>Quit  F9</translation>
    </message>
    <message id="132">
        <source>Graphe - Ctrl+ G</source>
        <translation>Graph - Ctrl+ G</translation>
    </message>
    <message id="134">
        <source>COM</source>
        <translation>COM</translation>
    </message>
    <message id="135">
        <source>Init : ON</source>
        <translation>Session: ON</translation>
    </message>
    <message id="136">
        <source>Init : OFF</source>
        <translation>Session: OFF</translation>
    </message>
    <message id="137">
        <source>Attente / Wait</source>
        <translation>Wait</translation>
    </message>
    <message id="138">
        <source>Aucun Défaut présent / No Failure now</source>
        <translation>No current fault</translation>
    </message>
    <message id="139">
        <source>Défaut(s)présent(s) / Failure(s)</source>
        <translation>Current fault(s)</translation>
    </message>
    <message id="140">
        <source>Aucun Défaut mémorisé / No Failure in RAM</source>
        <translation>No stored fault</translation>
    </message>
    <message id="141">
        <source>Défaut(s) mémorisé(s) / Failure(s) in RAM</source>
        <translation>Stored fault(s)</translation>
    </message>
    <message id="142">
        <source>Attendre les instructions / Wait</source>
        <translation>Wait for the instructions</translation>
    </message>
    <message id="143">
        <source>Initialisation de la procédure / Init to process</source>
        <translation>Starting the session</translation>
    </message>
    <message id="144">
        <source>Mettre le contact / Turn KEY ON</source>
        <translation>Turn the key ON</translation>
    </message>
    <message id="145">
        <source>et attendre les BIP et Init = ON</source>
        <translation>and wait for the beeps and Session: ON</translation>
    </message>
    <message id="146">
        <source>COM : Aucun</source>
        <translation>COM : None</translation>
    </message>
    <message id="147">
        <source>Mesures en cours</source>
        <translation>Measuring</translation>
    </message>
    <message id="155">
        <source>Double cliquer pour activer/désactiver</source>
        <translation>Double-click to turn on/off</translation>
    </message>
    <message id="156">
        <source>Le moteur doit être en marche</source>
        <translation>The engine must be running</translation>
    </message>
    <message id="158">
        <source>Mémorise</source>
        <translation>Store</translation>
    </message>
    <message id="160">
        <source>Crank/ralenti</source>
        <translation>Crank/idle</translation>
    </message>
    <message id="161">
        <source>Pauvre</source>
        <translation>Lean</translation>
    </message>
    <message id="162">
        <source>Transition vers Riche</source>
        <translation>Going rich</translation>
    </message>
    <message id="163">
        <source>Riche</source>
        <translation>Rich</translation>
    </message>
    <message id="164">
        <source>Transition vers Pauvre</source>
        <translation>Going lean</translation>
    </message>
    <message id="165">
        <source>Anomalie Pauvre</source>
        <translation>Lean fault</translation>
    </message>
    <message id="166">
        <source>Anomalie Riche</source>
        <translation>Rich fault</translation>
    </message>
    <message id="167">
        <source>Modif Trimmer</source>
        <translation>Trimmer adjustment</translation>
    </message>
    <message id="168">
        <source>&amp;Identification de l'ECU</source>
        <translation>ECU &amp;identification</translation>
    </message>
    <message id="169">
        <source>15M,16M: Couper le contact, 59/5A:Mettre le contact</source>
        <translation>15M,16M: ignition OFF, 59/5A: ignition ON</translation>
    </message>
    <message id="170">
        <source>Démarrage</source>
        <translation>Start readiness</translation>
    </message>
    <message id="171">
        <source>Mode motor</source>
        <translation>Engine mode</translation>
    </message>
    <message id="172">
        <source>Richesse/title</source>
        <translation>Mixture</translation>
    </message>
    <message id="173">
        <source>Stand</source>
        <translation>Side stand</translation>
    </message>
    <message id="174">
        <source>Reset to </source>
        <translation>Reset to </translation>
    </message>
    <message id="175">
        <source>Statuts</source>
        <translation>Status</translation>
    </message>
    <message id="176">
        <source>TPS</source>
        <translation>TPS</translation>
    </message>
    <message id="177">
        <source>Moteur Pas à Pas</source>
        <translation>Stepper motor</translation>
    </message>
    <message id="178">
        <source>Test Stepper</source>
        <translation>Stepper test</translation>
    </message>
    <message id="302">
        <source>Erreurs</source>
        <translation>Faults</translation>
    </message>
    <message id="303">
        <source>Erreur(s) présente(s) / Failure(s) now</source>
        <translation>Current faults</translation>
    </message>
    <message id="304">
        <source>Erreur(s) mémorisée(s) / Failure(s) in RAM</source>
        <translation>Stored faults</translation>
    </message>
    <message id="305">
        <source>Lecture / Read</source>
        <translation>Read</translation>
    </message>
    <message id="306">
        <source>Fermer / Close</source>
        <translation>Close</translation>
    </message>
    <message id="308">
        <source>Test</source>
        <translation>Tests</translation>
    </message>
    <message id="309">
        <source>Commandes</source>
        <translation>Commands</translation>
    </message>
    <message id="310">
        <source>Effacement mémoire</source>
        <translation>Clear memory</translation>
    </message>
    <message id="311">
        <source>Test Compte Tour</source>
        <translation>Rev counter test</translation>
    </message>
    <message id="312">
        <source>Test Pompe Essence</source>
        <translation>Fuel pump test</translation>
    </message>
    <message id="313">
        <source>Test Bobine 1</source>
        <translation>Coil 1 test</translation>
    </message>
    <message id="314">
        <source>Test Bobine 2</source>
        <translation>Coil 2 test</translation>
    </message>
    <message id="315">
        <source>Test Injecteur 1</source>
        <translation>Injector 1 test</translation>
    </message>
    <message id="316">
        <source>Test Injecteur 2</source>
        <translation>Injector 2 test</translation>
    </message>
    <message id="317">
        <source>Dialogue</source>
        <translation>Dialogue</translation>
    </message>
    <message id="318">
        <source>Diagnostic</source>
        <translation>Diagnostics</translation>
    </message>
    <message id="319">
        <source>Capteurs</source>
        <translation>Sensors</translation>
    </message>
    <message id="320">
        <source>Commandes</source>
        <translation>Actuators</translation>
    </message>
    <message id="321">
        <source>Défaut</source>
        <translation>ECU, other</translation>
    </message>
    <message id="322">
        <source>Statut moteur</source>
        <translation>Engine state</translation>
    </message>
    <message id="323">
        <source>Capteurs</source>
        <translation>Sensors</translation>
    </message>
    <message id="324">
        <source>Commandes</source>
        <translation>Actuators</translation>
    </message>
    <message id="325">
        <source>Défaut</source>
        <translation>ECU, other</translation>
    </message>
    <message id="326">
        <source>Attente de l'arrêt des mesures</source>
        <translation>Waiting for the measurements to stop</translation>
    </message>
    <message id="327">
        <source>Recliquer sur la commande  </source>
        <translation>Click the command again  </translation>
    </message>
    <message id="328">
        <source>Le moteur doit être arrété</source>
        <translation>The engine must be stopped</translation>
    </message>
    <message id="329">
        <source>Initialisation du test</source>
        <translation>Preparing the test</translation>
    </message>
    <message id="330">
        <source>Mode Diag</source>
        <translation>Diagnostic mode</translation>
    </message>
    <message id="331">
        <source>Prêt</source>
        <translation>Ready</translation>
    </message>
    <message id="332">
        <source>Commande lancée</source>
        <translation>Command sent</translation>
    </message>
    <message id="333">
        <source>Test en cours</source>
        <translation>Test running</translation>
    </message>
    <message id="334">
        <source>Fin incorrecte</source>
        <translation>The test did not end correctly</translation>
    </message>
    <message id="335">
        <source>Test échoué</source>
        <translation>Test failed</translation>
    </message>
    <message id="336">
        <source>Test OK</source>
        <translation>Test OK</translation>
    </message>
    <message id="337">
        <source>Fin du mode diag</source>
        <translation>Leaving diagnostic mode</translation>
    </message>
    <message id="338">
        <source>Confirmé</source>
        <translation>Confirmed</translation>
    </message>
    <message id="339">
        <source>: Terminé</source>
        <translation>: Done</translation>
    </message>
    <message id="349">
        <source>Partiel</source>
        <translation>Part throttle</translation>
    </message>
    <message id="355">
        <source>Défaut Capteur Papillon</source>
        <translation>Throttle sensor fault</translation>
    </message>
    <message id="356">
        <source>Défaut Capteur de Pression</source>
        <translation>Pressure sensor fault</translation>
    </message>
    <message id="357">
        <source>Défaut Capteur Température Moteur</source>
        <translation>Engine temperature sensor fault</translation>
    </message>
    <message id="358">
        <source>Défaut Capteur Température Air</source>
        <translation>Air temperature sensor fault</translation>
    </message>
    <message id="359">
        <source>Défaut Tension Batterie</source>
        <translation>Battery voltage fault</translation>
    </message>
    <message id="360">
        <source>Défaut Injecteur</source>
        <translation>Injector fault</translation>
    </message>
    <message id="361">
        <source>Défaut Bobine 1</source>
        <translation>Coil 1 fault</translation>
    </message>
    <message id="362">
        <source>Défaut Bobine 2</source>
        <translation>Coil 2 fault</translation>
    </message>
    <message id="363">
        <source>Défaut Pompe Essence</source>
        <translation>Fuel pump fault</translation>
    </message>
    <message id="364">
        <source>Défaut Relais Général</source>
        <translation>Main relay fault</translation>
    </message>
    <message id="365">
        <source>Défaut Paramètre Trimmer</source>
        <translation>Trimmer setting fault</translation>
    </message>
    <message id="366">
        <source>   en C.C GND</source>
        <translation>   shorted to ground</translation>
    </message>
    <message id="367">
        <source>   Open or V.Bat.</source>
        <translation>   open or shorted to battery</translation>
    </message>
    <message id="368">
        <source>   en C.C V.Bat.</source>
        <translation>   shorted to battery</translation>
    </message>
    <message id="369">
        <source>   Open or GND</source>
        <translation>   open or shorted to ground</translation>
    </message>
    <message id="370">
        <source>   Tension trop élevée</source>
        <translation>   voltage too high</translation>
    </message>
    <message id="371">
        <source>   Tension trop faible</source>
        <translation>   voltage too low</translation>
    </message>
    <message id="372">
        <source>   Open</source>
        <translation>   open circuit</translation>
    </message>
    <message id="373">
        <source>   Open or C.C.GND</source>
        <translation>   open or shorted to ground</translation>
    </message>
    <message id="374">
        <source>   Au Max</source>
        <translation>   at maximum</translation>
    </message>
    <message id="375">
        <source>   Au Min</source>
        <translation>   at minimum</translation>
    </message>
    <message id="376">
        <source>Erreur Mémoire RAM</source>
        <translation>RAM error</translation>
    </message>
    <message id="377">
        <source>Erreur Mémoire ROM</source>
        <translation>ROM error</translation>
    </message>
    <message id="378">
        <source>Erreur Mémoire EEPROM</source>
        <translation>EEPROM error</translation>
    </message>
    <message id="379">
        <source>Erreur Microprocesseur</source>
        <translation>Microprocessor error</translation>
    </message>
    <message id="380">
        <source>Défaut Capteur Tours</source>
        <translation>Engine speed sensor fault</translation>
    </message>
    <message id="401">
        <source>Paramétrages</source>
        <translation>Settings</translation>
    </message>
    <message id="402">
        <source>Type ECU</source>
        <translation>ECU type</translation>
    </message>
    <message id="403">
        <source>Moto Cible</source>
        <translation>Motorcycle</translation>
    </message>
    <message id="404">
        <source>ECU</source>
        <translation>ECU</translation>
    </message>
    <message id="405">
        <source>Port COM</source>
        <translation>COM port</translation>
    </message>
    <message id="406">
        <source>Langue</source>
        <translation>Language</translation>
    </message>
    <message id="407">
        <source>Acquisitions</source>
        <translation>Measurements</translation>
    </message>
    <message id="408">
        <source>Lancement auto des acquisitions</source>
        <translation>Start measurements automatically</translation>
    </message>
    <message id="409">
        <source>Température Air</source>
        <translation>Air temperature</translation>
    </message>
    <message id="410">
        <source>Température Eau</source>
        <translation>Coolant temperature</translation>
    </message>
    <message id="411">
        <source>Avance</source>
        <translation>Ignition advance</translation>
    </message>
    <message id="412">
        <source>Injection</source>
        <translation>Injection</translation>
    </message>
    <message id="413">
        <source>Pression</source>
        <translation>Pressure</translation>
    </message>
    <message id="414">
        <source>Tension</source>
        <translation>Voltage</translation>
    </message>
    <message id="415">
        <source>Mode test (sans moto)</source>
        <translation>Test mode (no motorcycle)</translation>
    </message>
    <message id="416">
        <source>Oui</source>
        <translation>Yes</translation>
    </message>
    <message id="417">
        <source>Non</source>
        <translation>No</translation>
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
        <translation>Fault codes</translation>
    </message>
    <message id="503">
        <source>Précédente</source>
        <translation>Previous</translation>
    </message>
    <message id="504">
        <source>Suivante</source>
        <translation>Next</translation>
    </message>
    <message id="505">
        <source>Nb de cycle(s) sans avoir revu cette erreur</source>
        <translation>Cycles since this fault was last seen</translation>
    </message>
    <message id="506">
        <source>Témoin au tableau de bord</source>
        <translation>Warning lamp on the dashboard</translation>
    </message>
    <message id="507">
        <source>Cause</source>
        <translation>Cause</translation>
    </message>
    <message id="508">
        <source>Signal invalide</source>
        <translation>Invalid signal</translation>
    </message>
    <message id="509">
        <source>Pas de signal</source>
        <translation>No signal</translation>
    </message>
    <message id="510">
        <source>Court Circuit à la masse</source>
        <translation>Short circuit to ground</translation>
    </message>
    <message id="511">
        <source>Reste à 12V</source>
        <translation>Stuck at 12 V</translation>
    </message>
    <message id="512">
        <source>Information de mémorisation</source>
        <translation>Storage state</translation>
    </message>
    <message id="513">
        <source>Présent</source>
        <translation>Present</translation>
    </message>
    <message id="514">
        <source>Intermitent</source>
        <translation>Intermittent</translation>
    </message>
    <message id="515">
        <source>Mémorisé</source>
        <translation>Stored</translation>
    </message>
    <message id="516">
        <source>Non mémorisé</source>
        <translation>Not stored</translation>
    </message>
    <message id="517">
        <source>Supprimer Erreurs</source>
        <translation>Clear faults</translation>
    </message>
    <message id="519">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="523">
        <source>Pas d'erreur détectée</source>
        <translation>No fault found</translation>
    </message>
    <message id="524">
        <source>Erreur numéro </source>
        <translation>Fault </translation>
    </message>
    <message id="525">
        <source> sur </source>
        <translation> of </translation>
    </message>
    <message id="527">
        <source>Lancer le test</source>
        <translation>Start the test</translation>
    </message>
    <message id="528">
        <source>Arrêter le test</source>
        <translation>Stop the test</translation>
    </message>
    <message id="529">
        <source>Test OK</source>
        <translation>Test OK</translation>
    </message>
    <message id="530">
        <source>Test Echoué: </source>
        <translation>Test failed: </translation>
    </message>
    <message id="531">
        <source>Cause générale</source>
        <translation>General reject</translation>
    </message>
    <message id="532">
        <source>Sous fonction non supportée</source>
        <translation>Sub-function not supported</translation>
    </message>
    <message id="533">
        <source>Conditions incorrectes</source>
        <translation>Conditions not correct</translation>
    </message>
    <message id="534">
        <source>Cause inconnue</source>
        <translation>Unknown reason</translation>
    </message>
    <message id="535">
        <source>Test actif des composants</source>
        <translation>Actuator tests</translation>
    </message>
    <message id="536">
        <source>Choississez votre test</source>
        <translation>Choose your test</translation>
    </message>
    <message id="540">
        <source>Compte Tour</source>
        <translation>Rev counter</translation>
    </message>
    <message id="541">
        <source>Pompe à essence</source>
        <translation>Fuel pump</translation>
    </message>
    <message id="542">
        <source>Bobine 1</source>
        <translation>Coil 1</translation>
    </message>
    <message id="543">
        <source>Bobine 2</source>
        <translation>Coil 2</translation>
    </message>
    <message id="544">
        <source>Injecteur 1</source>
        <translation>Injector 1</translation>
    </message>
    <message id="545">
        <source>Injecteur 2</source>
        <translation>Injector 2</translation>
    </message>
    <message id="546">
        <source>Ventilateur 1</source>
        <translation>Fan 1</translation>
    </message>
    <message id="547">
        <source>Ventilateur 2</source>
        <translation>Fan 2</translation>
    </message>
    <message id="550">
        <source>Vérifiez que le compte tour monte à 3750 tr/mn.</source>
        <translation>Check that the rev counter rises to 3750 rpm.</translation>
    </message>
    <message id="551">
        <source>Vérifiez que vous entendez la pompe à essence.</source>
        <translation>Check that you can hear the fuel pump.</translation>
    </message>
    <message id="552">
        <source>Test bobine cylindre horizontal</source>
        <translation>Horizontal cylinder coil test</translation>
    </message>
    <message id="553">
        <source>Test bobine cylindre Vertical</source>
        <translation>Vertical cylinder coil test</translation>
    </message>
    <message id="554">
        <source>Test injecteur cylindre horizontal</source>
        <translation>Horizontal cylinder injector test</translation>
    </message>
    <message id="555">
        <source>Test injecteur cyindre Vertical</source>
        <translation>Vertical cylinder injector test</translation>
    </message>
    <message id="556">
        <source>Test ventilateur 1</source>
        <translation>Fan 1 test</translation>
    </message>
    <message id="557">
        <source>Test ventilateur 2</source>
        <translation>Fan 2 test</translation>
    </message>
    <message id="558">
        <source>Sortie</source>
        <translation>Down</translation>
    </message>
    <message id="559">
        <source>Rentrée</source>
        <translation>Up</translation>
    </message>
    <message id="563">
        <source>Système OK</source>
        <translation>System OK</translation>
    </message>
    <message id="564">
        <source>AntiDemarrage</source>
        <translation>Immobiliser</translation>
    </message>
    <message id="565">
        <source>ECU Vierge</source>
        <translation>Blank ECU</translation>
    </message>
    <message id="566">
        <source>ECU Bloqué</source>
        <translation>ECU locked</translation>
    </message>
    <message id="567">
        <source>Code Universel</source>
        <translation>Universal code</translation>
    </message>
    <message id="568">
        <source>Recu Backdoor code</source>
        <translation>Backdoor code received</translation>
    </message>
    <message id="569">
        <source>Erreur code key</source>
        <translation>Key code error</translation>
    </message>
    <message id="570">
        <source>Aucun code reçu</source>
        <translation>No code received</translation>
    </message>
    <message id="571">
        <source>Code Non Noto</source>
        <translation>Unknown code</translation>
    </message>
    <message id="572">
        <source>Statut Antidémarrage</source>
        <translation>Immobiliser status</translation>
    </message>
    <message id="573">
        <source>Cause : non disponible en EOBD</source>
        <translation>Cause: not available in EOBD</translation>
    </message>
    <message id="574">
        <source>Signal invalide</source>
        <translation>Invalid signal</translation>
    </message>
    <message id="575">
        <source>Pas de signal</source>
        <translation>No signal</translation>
    </message>
    <message id="576">
        <source>Court Circuit à la masse</source>
        <translation>Short circuit to ground</translation>
    </message>
    <message id="577">
        <source>Reste à 12V</source>
        <translation>Stuck at 12 V</translation>
    </message>
    <message id="578">
        <source>Mémorisation : non disponible en EOBD</source>
        <translation>Storage: not available in EOBD</translation>
    </message>
    <message id="579">
        <source>Présent</source>
        <translation>Present</translation>
    </message>
    <message id="580">
        <source>Intermitent</source>
        <translation>Intermittent</translation>
    </message>
    <message id="581">
        <source>Mémorisé</source>
        <translation>Stored</translation>
    </message>
    <message id="582">
        <source>Non mémorisé</source>
        <translation>Not stored</translation>
    </message>
    <message id="583">
        <source>Pas de réponse de l'ECU</source>
        <translation>No answer from the ECU</translation>
    </message>
    <message id="584">
        <source>Effacer toutes les erreurs mémorisées ?</source>
        <translation>Clear all the stored faults?</translation>
    </message>
    <message id="585">
        <source>Effacement refusé par l'ECU : </source>
        <translation>Clearing refused by the ECU: </translation>
    </message>
    <message id="586">
        <source>Lecture refusée par l'ECU : </source>
        <translation>Read refused by the ECU: </translation>
    </message>
    <message id="587">
        <source>Non disponible en EOBD</source>
        <translation>Not available in EOBD</translation>
    </message>
    <message id="706">
        <source>La valeur Maximum possible est 126</source>
        <translation>The highest value possible is 126</translation>
    </message>
    <message id="708">
        <source>Erreur de commande</source>
        <translation>Command error</translation>
    </message>
    <message id="709">
        <source>Commande OK</source>
        <translation>Command OK</translation>
    </message>
    <message id="712">
        <source>Condition not correct</source>
        <translation>Conditions not correct</translation>
    </message>
    <message id="801">
        <source>Démo</source>
        <translation>Demo</translation>
    </message>
    <message id="802">
        <source>ELM sur COM</source>
        <translation>ELM on COM</translation>
    </message>
    <message id="803">
        <source>aucun port</source>
        <translation>no port</translation>
    </message>
    <message id="811">
        <source>Device</source>
        <translation>Cable</translation>
    </message>
    <message id="812">
        <source>Choise the type</source>
        <translation>Choose the type of cable</translation>
    </message>
    <message id="813">
        <source>Help to connect at BT</source>
        <translation>Connecting over Bluetooth</translation>
    </message>
    <message id="814">
        <source>Call Favoris Bleutooth</source>
        <translation>Open the Bluetooth favourites</translation>
    </message>
    <message id="815">
        <source>Find ELM (CBT ou CHX), connect</source>
        <translation>Find the ELM (CBT or CHX), connect</translation>
    </message>
    <message id="816">
        <source>Note the port COM of BT</source>
        <translation>Note the COM port of the Bluetooth link</translation>
    </message>
    <message id="817">
        <source>What's New</source>
        <translation>What's new</translation>
    </message>
    <message id="821">
        <source>Pas de réponse de l'ECU ! Vérifiez les connexions</source>
        <translation>No answer from the ECU! Check the connections</translation>
    </message>
    <message id="822">
        <source>Fatal erreur</source>
        <translation>Fatal error</translation>
    </message>
    <message id="823">
        <source>A ce moment le contact de la moto doit être coupé,&#13;Mettre le contact après OK&#13;At this point the KEY must be OFF,&#13;Turn KEY ON after check OK</source>
        <translation>At this point the ignition KEY must be OFF,&#13;Turn the KEY ON after OK</translation>
    </message>
    <message id="824">
        <source>Attention/Caution</source>
        <translation>Caution</translation>
    </message>
    <message id="825">
        <source>Echec</source>
        <translation>Failed</translation>
    </message>
    <message id="826">
        <source>Couper le contact de la moto&#13;Turn KEY OFF</source>
        <translation>Turn the ignition KEY OFF</translation>
    </message>
    <message id="827">
        <source>RéInitialisation/Reset Init</source>
        <translation>Re-initialisation</translation>
    </message>
    <message id="828">
        <source>Impossible d'ouvrir le port </source>
        <translation>Cannot open the port </translation>
    </message>
    <message id="829">
        <source>le câble ne répond pas</source>
        <translation>the cable does not answer</translation>
    </message>
    <message id="830">
        <source>aucun port série</source>
        <translation>no serial port</translation>
    </message>
    <message id="831">
        <source>Initialisation</source>
        <translation>Session start</translation>
    </message>
    <message id="832">
        <source>Init Mode </source>
        <translation>Start variant </translation>
    </message>
    <message id="841">
        <source>Moteur/Engine</source>
        <translation>Engine</translation>
    </message>
    <message id="842">
        <source>Sonde lambda</source>
        <translation>Lambda probe</translation>
    </message>
    <message id="851">
        <source> Aller dans Diagnostic pour une analyse complète</source>
        <translation> Open Diagnostics for a full analysis</translation>
    </message>
    <message id="852">
        <source>S&amp;tatuts</source>
        <translation>S&amp;tatus</translation>
    </message>
    <message id="853">
        <source>Test Interface</source>
        <translation>Test the cable</translation>
    </message>
    <message id="854">
        <source>Ré-Initialisation</source>
        <translation>Re-initialisation</translation>
    </message>
    <message id="855">
        <source>Moins 1</source>
        <translation>Minus 1</translation>
    </message>
    <message id="856">
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message id="857">
        <source>Support en ligne</source>
        <translation>Online support</translation>
    </message>
    <message id="858">
        <source>Arrêter les mesures pour lancer les diagnostics</source>
        <translation>Stop the measurements to run the diagnostics</translation>
    </message>
    <message id="859">
        <source>Cocher pour tracer les courbes</source>
        <translation>Tick to draw the curves</translation>
    </message>
    <message id="860">
        <source>Permet de stabiliser l'affichage en moyennant les valeurs. Ctrl+P=+5 ou Ctrl+M=-5</source>
        <translation>Steadies the display by averaging the values. Ctrl+P=+5 or Ctrl+M=-5</translation>
    </message>
    <message id="861">
        <source>Aucun tableur n'a été trouvé pour ouvrir l'enregistrement. Il se trouve ici :</source>
        <translation>No spreadsheet program was found to open the recording. It is here:</translation>
    </message>
    <message id="862">
        <source>Enregistrement</source>
        <translation>Write to the trace</translation>
    </message>
    <message id="863">
        <source>Défauts Présents :</source>
        <translation>Present faults:</translation>
    </message>
    <message id="864">
        <source>Défauts RAM :</source>
        <translation>Faults in memory:</translation>
    </message>
    <message id="865">
        <source>Statuts</source>
        <translation>Status</translation>
    </message>
    <message id="866">
        <source>RAS</source>
        <translation>None</translation>
    </message>
    <message id="867">
        <source>Pas de réponse</source>
        <translation>No answer</translation>
    </message>
    <message id="868">
        <source>Statut inconnu</source>
        <translation>Status unknown</translation>
    </message>
    <message id="869">
        <source>Lecture incomplète : l'ECU n'a pas répondu à toutes les demandes / Incomplete read: the ECU did not answer every request</source>
        <translation>Incomplete read: the ECU did not answer every request</translation>
    </message>
    <message id="870">
        <source>Attente de l'arrêt des mesures</source>
        <translation>Waiting for the measurements to stop</translation>
    </message>
    <message id="871">
        <source>Recliquer sur Lecture / Try again</source>
        <translation>Click Read again</translation>
    </message>
    <message id="872">
        <source>Habilitation Stepper OK</source>
        <translation>Stepper enabled</translation>
    </message>
    <message id="873">
        <source>Moteur en marche</source>
        <translation>Engine running</translation>
    </message>
    <message id="874">
        <source>Moteur arrêté</source>
        <translation>Engine stopped</translation>
    </message>
    <message id="875">
        <source>Papillon au maxi ou mini / TPS max or min</source>
        <translation>Throttle at maximum or minimum</translation>
    </message>
    <message id="876">
        <source>Papillon en position intermédiaire / TPS medium</source>
        <translation>Throttle in between</translation>
    </message>
    <message id="877">
        <source>Test Stepper en action</source>
        <translation>Stepper test running</translation>
    </message>
    <message id="878">
        <source>Le moteur doit être arrêté</source>
        <translation>The engine must be stopped</translation>
    </message>
    <message id="879">
        <source>État du moteur inconnu : l'ECU n'a pas confirmé que le moteur est arrêté</source>
        <translation>Engine state unknown: the ECU did not confirm that the engine is stopped</translation>
    </message>
    <message id="880">
        <source>Reset TPS : moteur arrêté, contact mis, poignée des gaz relâchée. Lancer le reset ?</source>
        <translation>Reset TPS: engine stopped, ignition on, throttle released. Run the reset?</translation>
    </message>
    <message id="881">
        <source>Reset Service : moteur arrêté, contact mis. Lancer le reset ?</source>
        <translation>Reset Service: engine stopped, ignition on. Run the reset?</translation>
    </message>
    <message id="882">
        <source>L'ECU n'a pas confirmé l'arrêt du test : coupez le contact maintenant ! / The ECU did not confirm the end of the test: switch the ignition off now!</source>
        <translation>The ECU did not confirm the end of the test: switch the ignition off now!</translation>
    </message>
    <message id="883">
        <source>Arrêt du test / Test stop</source>
        <translation>Test stop</translation>
    </message>
    <message id="884">
        <source>Pas de réponse de l'ECU</source>
        <translation>No answer from the ECU</translation>
    </message>
    <message id="885">
        <source>Reset TPS confirmé par l'ECU</source>
        <translation>Reset TPS confirmed by the ECU</translation>
    </message>
    <message id="886">
        <source>Résultat du reset TPS non reçu</source>
        <translation>Reset TPS result not received</translation>
    </message>
    <message id="887">
        <source>Test terminé</source>
        <translation>Test finished</translation>
    </message>
    <message id="888">
        <source>Pas de fin de test de l'ECU</source>
        <translation>The ECU did not end the test</translation>
    </message>
    <message id="889">
        <source>Fin de test inattendue : </source>
        <translation>Unexpected end of test: </translation>
    </message>
    <message id="890">
        <source>Test interrompu</source>
        <translation>Test interrupted</translation>
    </message>
    <message id="891">
        <source>Sortie du mode diag non confirmée</source>
        <translation>Leaving the diagnostic mode not confirmed</translation>
    </message>
    <message id="892">
        <source>Commande non acceptée par l'ECU</source>
        <translation>Command not accepted by the ECU</translation>
    </message>
    <message id="904">
        <source>Impossible de récupérer la mise à jour</source>
        <translation>Could not fetch the update</translation>
    </message>
    <message id="905">
        <source>Vérifiez que vous êtes bien connecté à Internet et réessayez plus tard</source>
        <translation>Check that the PC is connected to the Internet and try again later</translation>
    </message>
    <message id="906">
        <source>Power ON Eng OFF</source>
        <translation>Power on, engine off</translation>
    </message>
    <message id="907">
        <source>Key ON Eng OFF</source>
        <translation>Key on, engine off</translation>
    </message>
    <message id="908">
        <source>Engine ON</source>
        <translation>Engine running</translation>
    </message>
    <message id="909">
        <source>Engine stall / Moteur Calé</source>
        <translation>Engine stalled</translation>
    </message>
    <message id="910">
        <source>Process Power-Latch</source>
        <translation>Power latch running</translation>
    </message>
    <message id="911">
        <source>End of power-Latch</source>
        <translation>Power latch ended</translation>
    </message>
    <message id="912">
        <source>Crank/Démarrage</source>
        <translation>Cranking</translation>
    </message>
    <message id="913">
        <source>Stabilizzato in Crank</source>
        <translation>Steady while cranking</translation>
    </message>
    <message id="914">
        <source>Decelerazione in Crank</source>
        <translation>Decelerating while cranking</translation>
    </message>
    <message id="915">
        <source>Accelerazione in Crank</source>
        <translation>Accelerating while cranking</translation>
    </message>
    <message id="916">
        <source>Minimo al Crank</source>
        <translation>Idle after cranking</translation>
    </message>
    <message id="917">
        <source>Motore in moto stabilizzato</source>
        <translation>Running steady</translation>
    </message>
    <message id="918">
        <source>Motore in moto al minimo</source>
        <translation>Running at idle</translation>
    </message>
    <message id="919">
        <source>Motore in moto in accelerazione</source>
        <translation>Running, accelerating</translation>
    </message>
    <message id="920">
        <source>Motore in moto in decelerazione</source>
        <translation>Running, decelerating</translation>
    </message>
    <message id="921">
        <source>Entrata in Cut-Off</source>
        <translation>Entering fuel cut-off</translation>
    </message>
    <message id="922">
        <source>Stato in Cut-Off</source>
        <translation>In fuel cut-off</translation>
    </message>
    <message id="923">
        <source>Uscita di Cut-Off</source>
        <translation>Leaving fuel cut-off</translation>
    </message>
    <message id="924">
        <source>Uscita da Cut-Off in Stabilizzato</source>
        <translation>Leaving cut-off, steady</translation>
    </message>
    <message id="925">
        <source>Uscita da Cut-Off in accelerazione</source>
        <translation>Leaving cut-off, accelerating</translation>
    </message>
    <message id="950">
        <source>Mémoriser dans l'ECU le trimmer à </source>
        <translation>Store in the ECU the trimmer at </translation>
    </message>
    <message id="951">
        <source>Mémorisation du trimmer en attente : </source>
        <translation>Trimmer store pending: </translation>
    </message>
    <message id="952">
        <source>Mémorisation du trimmer annulée</source>
        <translation>Trimmer store cancelled</translation>
    </message>
    <message id="953">
        <source>Trimmer non pris par l'ECU : </source>
        <translation>Trimmer not taken by the ECU: </translation>
    </message>
    <message id="955">
        <source>Limite du trimmer atteinte</source>
        <translation>Trimmer limit reached</translation>
    </message>
    <message id="956">
        <source>Pas d'écho de l'ECU : la valeur reste </source>
        <translation>No echo from the ECU: the value stays </translation>
    </message>
    <message id="957">
        <source>Valeur mémorisée : </source>
        <translation>Value stored: </translation>
    </message>
    <message id="958">
        <source>Mémorisation non confirmée, l'ECU lit : </source>
        <translation>Store not confirmed, the ECU reads: </translation>
    </message>
    <message id="959">
        <source>Valeur d'origine rétablie : </source>
        <translation>Original value restored: </translation>
    </message>
    <message id="960">
        <source>Retour non confirmé, l'ECU lit : </source>
        <translation>Return not confirmed, the ECU reads: </translation>
    </message>
    <message id="961">
        <source>Test Stepper refusé : </source>
        <translation>Stepper test refused: </translation>
    </message>
    <message id="962">
        <source>pas de réponse de l'ECU</source>
        <translation>no answer from the ECU</translation>
    </message>
    <message id="963">
        <source>Pas de réponse de l'ECU : trimmer inconnu</source>
        <translation>No answer from the ECU: trimmer unknown</translation>
    </message>
    <message id="964">
        <source>Etat du moteur inconnu : pas de réponse de l'ECU</source>
        <translation>Engine state unknown: no answer from the ECU</translation>
    </message>
    <message id="965">
        <source>L'ECU n'est pas entré en mode diagnostic</source>
        <translation>The ECU did not enter its diagnostic mode</translation>
    </message>
    <message id="966">
        <source>Trimmer hors plage, mode trimmer refusé : </source>
        <translation>Trimmer out of range, trimmer mode refused: </translation>
    </message>
</context>
</TS>
