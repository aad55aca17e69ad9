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
    <message id="904">
        <source>Impossible de récupérer la mise à jour</source>
        <translation>Impossible de récupérer la mise à jour</translation>
    </message>
    <message id="905">
        <source>Vérifiez que vous êtes bien connecté à Internet et réessayez plus tard</source>
        <translation>Vérifiez que vous êtes bien connecté à Internet et réessayez plus tard</translation>
    </message>
</context>
</TS>
