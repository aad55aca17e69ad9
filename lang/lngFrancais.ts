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
    <message id="322">
        <source>Statut moteur</source>
        <translation>Statut moteur</translation>
    </message>
    <message id="349">
        <source>Partiel</source>
        <translation>Partiel</translation>
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
    <message id="558">
        <source>Sortie</source>
        <translation>Sortie</translation>
    </message>
    <message id="559">
        <source>Rentrée</source>
        <translation>Rentrée</translation>
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
</context>
</TS>
