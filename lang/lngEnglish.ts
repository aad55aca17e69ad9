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
        <translation>&amp;Initialisation</translation>
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
        <translation>Init : ON</translation>
    </message>
    <message id="136">
        <source>Init : OFF</source>
        <translation>Init : OFF</translation>
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
        <translation>and wait for the beeps and Init = ON</translation>
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
        <translation>Starter</translation>
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
    <message id="904">
        <source>Impossible de récupérer la mise à jour</source>
        <translation>Could not fetch the update</translation>
    </message>
    <message id="905">
        <source>Vérifiez que vous êtes bien connecté à Internet et réessayez plus tard</source>
        <translation>Check that the PC is connected to the Internet and try again later</translation>
    </message>
</context>
</TS>
