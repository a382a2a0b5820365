<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="sk">
<context>
    <name>skyrend</name>
    <message>
        <source>Skyrend - menu</source>
        <translation>Skyrend - menu</translation>
    </message>
    <message>
        <source>Skyrend - about</source>
        <translation>Skyrend - about</translation>
    </message>
    <message>
        <source>Skyrend - epizóda 1</source>
        <translation>Skyrend - episode 1</translation>
    </message>
    <message>
        <source>Skyrend - epizóda 2</source>
        <translation>Skyrend - episode 2</translation>
    </message>
    <message>
        <source>Epizóda 1</source>
        <translation>Episode 1</translation>
    </message>
    <message>
        <source>Epizóda 2</source>
        <translation>Episode 2</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Pravidlá</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>Ukončiť</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Hudba</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>Zvuky</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>Hra</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>Informácie</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Prešiel si.</source>
        <translation>Passed.</translation>
    </message>
    <message>
        <source>Neprešiel si.</source>
        <translation>Not passed.</translation>
    </message>
    <message>
        <source>Naj skóre: %1</source>
        <translation>Best score: %1</translation>
    </message>
    <message>
        <source>Aktuálna verzia hry.</source>
        <translation>The game's current version.</translation>
    </message>
    <message>
        <source>V prvej epizóde je tvojim cieľom bombardovať domy svojimi bombami, zbierať hviezdy za ktoré dostávaš body a vyhýbať sa vtákom, lebo keď sa ti traja dostanú do turbíny, tak sa Dravik zrúti na zem. Táto epizóda má 10 levelov nový level sa spustí vždy po pristátí a odštartovaní z letiska.</source>
        <translation>In the first episode your goal is to bomb houses with your bombs, to collect stars, which give you points, and to keep away from birds, because when three of them get into the turbine, Dravik crashes to the ground. This episode has 10 levels; a new level starts every time you land at the airport and take off again.</translation>
    </message>
    <message>
        <source>Za trafenie domu bombou dostaneš 1 bod a 20 paliva.</source>
        <translation>A house hit by a bomb gives you 1 point and 20 fuel.</translation>
    </message>
    <message>
        <source>Za zobratie hviezdy dostaneš 1 bod.</source>
        <translation>A star you collect gives you 1 point.</translation>
    </message>
    <message>
        <source>Za trafenie vtáka bombou dostaneš 2 body.</source>
        <translation>A bird hit by a bomb gives you 2 points.</translation>
    </message>
    <message>
        <source>Za každých 40 bodov si na letisku opravíš 1 poškodenie a dostaneš aj nejaké rakety naviac. Po odlete z letiska dostaneš 20 bômb, 3 body do skóre a palivo sa ti doplní o 1500.</source>
        <translation>At the airport every 40 points repair 1 damage and bring some extra missiles. Taking off, you get 20 bombs, 3 points and 1500 more fuel.</translation>
    </message>
    <message>
        <source>V druhej epizóde je tvojou úlohou zachraňovať ľudí, ktorý sú pri majáku, takýchto záchran je 10 a každá predstavuje vlastne jeden level. Potom máš ešte zostreľovať nepriateľské stíhačky F16, ale pozor tieto stíhačky po tebe strieľajú a po troch strelách ťa zničia. Ďalej môžeš zbierať aj hviezdy, aby si mal viac bodov v skóre.</source>
        <translation>In the second episode your task is to rescue the people waiting at the lighthouse; there are 10 such rescues and each of them is really one level. You also have to shoot down the enemy F16 fighters, but beware: they fire at you and three hits destroy you. You can collect stars as well, to have more points in your score.</translation>
    </message>
    <message>
        <source>Za zničenie F16 dostaneš 3 body a 450 paliva.</source>
        <translation>An F16 shot down: 3 points and 450 fuel.</translation>
    </message>
    <message>
        <source>Na majáku si za každých 20 bodov opravíš 1 poškodenie a dostaneš aj nejaké rakety naviac. Potom dostaneš ešte aj 2 body do skóre a 5 rakiet.</source>
        <translation>At the lighthouse every 20 points repair 1 damage and give you some extra missiles as well. Then you also get 2 points to your score and 5 missiles.</translation>
    </message>
    <message>
        <source>Pozor! Keď ti do turbíny vletí vták alebo dostaneš ranu od F16, tak stratíš 300 paliva a zníži sa ti aj maximálna rýchlosť.</source>
        <translation>Beware! When a bird flies into your turbine or an F16 hits you, you lose 300 fuel and your top speed drops too.</translation>
    </message>
    <message>
        <source>Ovládanie</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Strieľaš medzerníkom, šípkami sa hýbeš a esc zrušíš hru. A to je všetko :).</source>
        <translation>Space fires, the arrows steer, Esc quits the game. That is all :).</translation>
    </message>
    <message>
        <source>Naprogramované v C++ s Qt</source>
        <translation>Programmed in C++ with Qt</translation>
    </message>
    <message>
        <source>Hra bola naprogramovaná, testovaná a skompilovaná pod Windows Millenium (ME).</source>
        <translation>The game was programmed, tested and compiled under Windows Millennium (ME).</translation>
    </message>
    <message>
        <source>Pozor hra ide pod Windows 2000/XP príliš rýchlo!</source>
        <translation>Beware, under Windows 2000/XP the game runs too fast!</translation>
    </message>
    <message>
        <source>Verzia: %1.%2</source>
        <translation>Version: %1.%2</translation>
    </message>
    <message>
        <source>System Info</source>
        <translation>System Info</translation>
    </message>
    <message>
        <source>Systémové informácie nie sú teraz prístupné.</source>
        <translation>System information is not available now.</translation>
    </message>
    <message>
        <source>Rýchlosť:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Naklonenie:</source>
        <translation>Tilt:</translation>
    </message>
    <message>
        <source>Palivo:</source>
        <translation>Fuel:</translation>
    </message>
    <message>
        <source>Vzdialenosť:</source>
        <translation>Distance:</translation>
    </message>
    <message>
        <source>Level:</source>
        <translation>Level:</translation>
    </message>
    <message>
        <source>Záchrany:</source>
        <translation>Rescues:</translation>
    </message>
    <message>
        <source>Skóre:</source>
        <translation>Score:</translation>
    </message>
    <message>
        <source>Poškodenie:</source>
        <translation>Damage:</translation>
    </message>
    <message>
        <source>Bomby: </source>
        <translation>Bombs: </translation>
    </message>
    <message>
        <source>Rakety: </source>
        <translation>Missiles: </translation>
    </message>
    <message>
        <source>Bohužiaľ, traja vtáci sa dostali do turbín Draviku, ktorý teraz klesá k zemi. Prehral si.</source>
        <translation>Unfortunately three birds got into Dravik's turbines, and it is now sinking to the ground. You lost.</translation>
    </message>
    <message>
        <source>Gratulujem ti, prešiel si prvú epizódu! A teraz hurá do druhej...</source>
        <translation>Congratulations, you have completed the first episode! And now on to the second...</translation>
    </message>
    <message>
        <source>Výhra</source>
        <translation>Victory</translation>
    </message>
    <message>
        <source>Prehra</source>
        <translation>Defeat</translation>
    </message>
    <message>
        <source>Oprava</source>
        <translation>Repair</translation>
    </message>
    <message>
        <source>Máš skóre %1 a si poškodený, chceš opraviť Dravik? Ale pozor oprava ti uberie %2 bodov zo skóre.</source>
        <translation>Your score is %1 and you are damaged. Do you want to repair Dravik? But beware, the repair takes %2 points off your score.</translation>
    </message>
    <message>
        <source>Minulo sa ti palivo, ďalej už nedoletíš...</source>
        <translation>You have run out of fuel, you will not fly any further...</translation>
    </message>
    <message>
        <source>Nedostatok paliva</source>
        <translation>Out of fuel</translation>
    </message>
    <message>
        <source>Bol si %1 krát zasiahnutý raketou. Prehral si.</source>
        <translation>You were hit by a missile %1 times. You lost.</translation>
    </message>
    <message>
        <source>Havaroval si, teda zrazil si sa s nepriateľskou F16. Prehral si.</source>
        <translation>You crashed: you collided with the enemy F16. You lost.</translation>
    </message>
    <message>
        <source>Zachránil si všetkých ľudí a teda vyhral si, gratulujem prešiel si aj druhú epizódu hry, to znamená, že si prešiel kompletne celú hru!</source>
        <translation>You have rescued everyone and so you have won. Congratulations, you have completed the second episode too, which means that you have completed the whole game!</translation>
    </message>
    <message>
        <source>Za skóre, ktoré si nahral si môžeš opraviť poškodenie Draviku, ale za opravu stratíš %1 bodov zo svojho skóre a dostaneš navyše %2 rakiet. Chceš opraviť Dravik?</source>
        <translation>With the score you have earned you can repair Dravik's damage, but the repair costs %1 points of your score and gives you %2 extra missiles. Do you want to repair Dravik?</translation>
    </message>
    <message>
        <source>Minul si jeden maják s človekom na záchranu! Bohužiaľ prehral si.</source>
        <translation>You missed a lighthouse with a person to rescue! Unfortunately you lost.</translation>
    </message>
    <message>
        <source>Pauza</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>Áno</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nie</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Pomoc – Epizóda 1</source>
        <translation>Help – Episode 1</translation>
    </message>
    <message>
        <source>Pomoc – Epizóda 2</source>
        <translation>Help – Episode 2</translation>
    </message>
    <message>
        <source>F1 alebo Esc – späť do hry</source>
        <translation>F1 or Esc – back to the game</translation>
    </message>
    <message>
        <source>Medzerník</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>nos hore, nos dole – každé stlačenie o jeden stupeň</source>
        <translation>nose up, nose down – one step per press</translation>
    </message>
    <message>
        <source>rýchlejšie, pomalšie (najmenej 700)</source>
        <translation>faster, slower (700 at least)</translation>
    </message>
    <message>
        <source>rýchlejšie, pomalšie až po zastavenie</source>
        <translation>faster, slower, down to a standstill</translation>
    </message>
    <message>
        <source>pustiť bombu</source>
        <translation>drop a bomb</translation>
    </message>
    <message>
        <source>odpáliť raketu dopredu</source>
        <translation>fire a missile ahead</translation>
    </message>
    <message>
        <source>pauza</source>
        <translation>pause</translation>
    </message>
    <message>
        <source>celá obrazovka</source>
        <translation>full screen</translation>
    </message>
    <message>
        <source>táto pomoc</source>
        <translation>this help</translation>
    </message>
    <message>
        <source>koniec epizódy, späť do menu</source>
        <translation>leave the episode, back to the menu</translation>
    </message>
    <message>
        <source>Cieľ</source>
        <translation>Goal</translation>
    </message>
    <message>
        <source>Bombarduj domy (1 bod a 20 paliva), zostreľ vtáka bombou (2 body), zbieraj hviezdy (1 bod). Vták v turbíne ti vezme 300 paliva a 200 z najvyššej rýchlosti; tretí Dravik zrúti. Na konci každého levelu pristaň na letisku – deviate pristátie vyhráva epizódu.</source>
        <translation>Bomb houses (1 point and 20 fuel), hit birds with bombs (2 points), collect stars (1 point). A bird in the turbine costs 300 fuel and 200 of top speed; the third brings Dravik down. At the end of every level land at the airport – the ninth landing wins the episode.</translation>
    </message>
    <message>
        <source>Bomby</source>
        <translation>Bombs</translation>
    </message>
    <message>
        <source>Bomba padá najviac 13 krokov (180 pixelov). Pusti ju, keď je značka výšky na ukazovateli najviac na druhej čiarke zdola (Dravik do asi 4 a pol svojej výšky nad zemou); z väčšej výšky zmizne vo vzduchu a dom nezasiahne, vtáka ešte áno. Tesne nad zemou (menej ako 3/4 výšky Dravika) a na letisku bombu nepustíš. Naraz padajú najviac tri.</source>
        <translation>A bomb falls for 13 steps (180 pixels) at most. Drop it with the height marker on the indicator no higher than the second tick from the bottom (Dravik up to about 4½ of its own heights above the ground); from higher up it vanishes in the air and misses the houses, though it can still hit a bird. Right above the ground (less than ¾ of Dravik's height) and on the airport no bomb drops. At most three fall at once.</translation>
    </message>
    <message>
        <source>Pristátie na letisku</source>
        <translation>Landing at the airport</translation>
    </message>
    <message>
        <source>Keď Vzdialenosť klesne na 1447 (pri rýchlosti 1000 a viac) alebo na 347 (pri menšej), začne sa pristávanie: Dravik sám brzdí na 500 a šípky vpravo a vľavo nefungujú.</source>
        <translation>When Distance falls to 1447 (at speed 1000 or more) or to 347 (below that), the approach begins: Dravik brakes by itself to 500 and Right and Left do nothing.</translation>
    </message>
    <message>
        <source>Nad letiskom sa Dravik zastaví a visí vo vzduchu, krajina stojí.</source>
        <translation>Over the airport Dravik stops and hangs in the air; the scenery stands still.</translation>
    </message>
    <message>
        <source>Stláčaj šípku dole, kým Dravik nedosadne na zem.</source>
        <translation>Press Down until Dravik touches down.</translation>
    </message>
    <message>
        <source>Na zemi, ak máš skóre aspoň 40 a poškodenie, ťa hra opýta na opravu: 40 bodov za každé poškodenie, najviac dve; každá oprava dá 5 bômb a 200 k najvyššej rýchlosti.</source>
        <translation>On the ground, with a score of 40 or more and some damage, you are offered a repair: 40 points for each damage, two at most; each repair adds 5 bombs and 200 to the top speed.</translation>
    </message>
    <message>
        <source>Po 3 sekundách štart: 1500 paliva, 20 bômb, 3 body a ďalší level. Stúpaj šípkou hore (po sekunde Dravik stúpa aj sám).</source>
        <translation>After 3 seconds you take off: 1500 fuel, 20 bombs, 3 points and the next level. Climb with Up (after a second Dravik climbs by itself too).</translation>
    </message>
    <message>
        <source>Zachráň ľudí z desiatich majákov (každá záchrana 2 body a 6 rakiet). Zostreľ F16 raketou (3 body a 450 paliva) – strieľa po tebe: zásah ti vezme 300 paliva a 200 z najvyššej rýchlosti, tretí zásah alebo zrážka s F16 ťa zničí. Zbieraj hviezdy (1 bod). Maják, ktorý preletíš bez záchrany, hru prehráva.</source>
        <translation>Rescue the people from ten lighthouses (each rescue 2 points and 6 missiles). Shoot down the F16 with a missile (3 points and 450 fuel) – it fires back: a hit costs 300 fuel and 200 of top speed, the third hit or a collision with the F16 destroys you. Collect stars (1 point). A lighthouse you pass without a rescue loses the game.</translation>
    </message>
    <message>
        <source>Záchrana pri majáku</source>
        <translation>Rescue at a lighthouse</translation>
    </message>
    <message>
        <source>Vzdialenosť ukazuje, ako ďaleko je maják; pod 600 sčervenie. Spomaľ šípkou vľavo.</source>
        <translation>Distance tells how far the lighthouse is; below 600 it turns red. Slow down with Left.</translation>
    </message>
    <message>
        <source>Zastav na rýchlosti 0 tak, aby Vzdialenosť bola od −9 do 84: maják je pod Dravikom.</source>
        <translation>Stop at speed 0 with Distance between −9 and 84: the lighthouse is under Dravik.</translation>
    </message>
    <message>
        <source>Klesni šípkou dole až k zemi (najviac 11 pixelov nad ňou).</source>
        <translation>Go down with Down to the ground (11 pixels above it at most).</translation>
    </message>
    <message>
        <source>Záchrana: 2 body, 6 rakiet a ďalší maják o 500 ďalej. So skóre aspoň 20 a poškodením ťa hra opýta na opravu (20 bodov za jedno poškodenie, 40 za dve, s raketami navyše).</source>
        <translation>Rescue: 2 points, 6 missiles and the next lighthouse 500 further on. With a score of 20 or more and some damage you are offered a repair (20 points for one damage, 40 for two, with extra missiles).</translation>
    </message>
    <message>
        <source>Desiata záchrana vyhráva. Maják, ktorý ti ujde za ľavý okraj, hru prehráva.</source>
        <translation>The tenth rescue wins. A lighthouse that slips past the left edge loses the game.</translation>
    </message>
    <message>
        <source>Palubná doska</source>
        <translation>Dashboard</translation>
    </message>
    <message>
        <source>rýchlosť, najviac 1400 (menej po každom poškodení)</source>
        <translation>speed, 1400 at most (less after each damage)</translation>
    </message>
    <message>
        <source>náklon nosa, od −4 (dole) po 4 (hore)</source>
        <translation>nose attitude, from −4 (down) to 4 (up)</translation>
    </message>
    <message>
        <source>palivo; ubúda za letu, rýchlejšie pri vyššej rýchlosti; pri nule koniec</source>
        <translation>fuel; burns in flight, faster at higher speed; at zero the run ends</translation>
    </message>
    <message>
        <source>palivo; ubúda, len keď letíš, rýchlejšie pri vyššej rýchlosti; pri nule koniec</source>
        <translation>fuel; burns only while you move, faster at higher speed; at zero the run ends</translation>
    </message>
    <message>
        <source>k ďalšiemu letisku</source>
        <translation>to the next airport</translation>
    </message>
    <message>
        <source>k majáku; pod 600 červená</source>
        <translation>to the lighthouse; red below 600</translation>
    </message>
    <message>
        <source>level, od 1 po 9</source>
        <translation>level, 1 to 9</translation>
    </message>
    <message>
        <source>záchrany z 10</source>
        <translation>rescues out of 10</translation>
    </message>
    <message>
        <source>body</source>
        <translation>points</translation>
    </message>
    <message>
        <source>vtáci v turbíne; tretí je koniec</source>
        <translation>birds in the turbines; the third is the end</translation>
    </message>
    <message>
        <source>zásahy; tretí je koniec</source>
        <translation>hits taken; the third is the end</translation>
    </message>
    <message>
        <source>bomby v zásobe</source>
        <translation>bombs left</translation>
    </message>
    <message>
        <source>rakety v zásobe</source>
        <translation>missiles left</translation>
    </message>
    <message>
        <source>Ukazovateľ</source>
        <translation>Indicator</translation>
    </message>
    <message>
        <source>ružová značka ukazuje výšku Dravika nad zemou (zelená)</source>
        <translation>the pink marker shows Dravik's height above the ground (green)</translation>
    </message>
    <message>
        <source>oranžová značka ukazuje výšku Dravika nad zemou (olivová)</source>
        <translation>the orange marker shows Dravik's height above the ground (olive)</translation>
    </message>
    <message>
        <source>Postup sa v tomto priečinku nedá uložiť, čo dosiahneš, sa na konci stratí.</source>
        <translation>Progress cannot be saved in this folder: what you achieve will be lost at the end.</translation>
    </message>
    <message>
        <source>Postup sa nepodarilo uložiť.</source>
        <translation>The progress could not be saved.</translation>
    </message>
    <message>
        <source>&amp;Nastavenia</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>Nastavenia</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Zvuk</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Efekty</source>
        <translation>Effects</translation>
    </message>
    <message>
        <source>Obraz</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Jazyk</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>podľa systému</source>
        <translation>as the system's</translation>
    </message>
    <message>
        <source>slovenčina</source>
        <translation>Slovak</translation>
    </message>
    <message>
        <source>angličtina</source>
        <translation>English</translation>
    </message>
    <message>
        <source>(od ďalšieho spustenia)</source>
        <translation>(from the next start)</translation>
    </message>
    <message>
        <source>Pohyb</source>
        <translation>Motion</translation>
    </message>
    <message>
        <source>plynulý</source>
        <translation>smooth</translation>
    </message>
    <message>
        <source>klasický</source>
        <translation>classic</translation>
    </message>
    <message>
        <source>Mierka</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>automatická</source>
        <translation>automatic</translation>
    </message>
    <message>
        <source>Celá obrazovka</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>celé násobky</source>
        <translation>whole multiples</translation>
    </message>
    <message>
        <source>vyplniť, ostré pixely</source>
        <translation>fill, sharp pixels</translation>
    </message>
    <message>
        <source>Klávesy</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Predvolené</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>Zavrieť</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Nos hore</source>
        <translation>Nose up</translation>
    </message>
    <message>
        <source>Nos dole</source>
        <translation>Nose down</translation>
    </message>
    <message>
        <source>Rýchlejšie</source>
        <translation>Faster</translation>
    </message>
    <message>
        <source>Pomalšie</source>
        <translation>Slower</translation>
    </message>
    <message>
        <source>Bomba, raketa</source>
        <translation>Bomb, missile</translation>
    </message>
    <message>
        <source>Pauza a ďalej</source>
        <translation>Pause and resume</translation>
    </message>
    <message>
        <source>Pomocník</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Odchod z epizódy</source>
        <translation>Leave the episode</translation>
    </message>
    <message>
        <source>stlač kláves</source>
        <translation>press a key</translation>
    </message>
    <message>
        <source>Kláves %1 už patrí k „%2“. Vymeniť ich?</source>
        <translation>The key %1 is already used for “%2”. Swap them?</translation>
    </message>
</context>
</TS>
