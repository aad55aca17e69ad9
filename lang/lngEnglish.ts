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
    <message id="322">
        <source>Statut moteur</source>
        <translation>Engine state</translation>
    </message>
    <message id="349">
        <source>Partiel</source>
        <translation>Part throttle</translation>
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
    <message id="558">
        <source>Sortie</source>
        <translation>Down</translation>
    </message>
    <message id="559">
        <source>Rentrée</source>
        <translation>Up</translation>
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
</context>
</TS>
