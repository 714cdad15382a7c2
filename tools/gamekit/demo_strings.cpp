#include "tools/gamekit/demo_strings.h"

namespace gamekit {

namespace {

const char* const kUnitNames[] = {
    "Footman",
    "Grunt",
    "Peasant",
    "Peon",
    "Ballista",
    "Catapult",
    "Knight",
    "Ogre",
    "Elven Archer",
    "Troll Axethrower",
    "Mage",
    "Death Knight",
    "Paladin",
    "Ogre-Mage",
    "Dwarven Demolition Squad",
    "Goblin Sappers",
    "Peasant (attacking)",
    "Peon (attacking)",
    "Ranger",
    "Berserker",
    "Alleria",
    "Teron Gorefiend",
    "Kurdan and Sky'ree",
    "Dentarg",
    "Khadgar",
    "Grom Hellscream",
    "Oil Tanker (human)",
    "Oil Tanker (orc)",
    "Transport (human)",
    "Transport (orc)",
    "Elven Destroyer",
    "Troll Destroyer",
    "Battleship",
    "Ogre Juggernaught",
    "(unused 34)",
    "Deathwing",
    "(unused 36)",
    "(unused 37)",
    "Gnomish Submarine",
    "Giant Turtle",
    "Gnomish Flying Machine",
    "Goblin Zeppelin",
    "Gryphon Rider",
    "Dragon",
    "Turalyon",
    "Eye of Kilrogg",
    "Danath",
    "Korgath Bladefist",
    "(unused 48)",
    "Cho'gall",
    "Lothar",
    "Gul'dan",
    "Uther Lightbringer",
    "Zuljin",
    "(unused 54)",
    "Skeleton",
    "Daemon",
    "Critter",
    "Farm",
    "Pig Farm",
    "Barracks (human)",
    "Barracks (orc)",
    "Church",
    "Altar of Storms",
    "Scout Tower (human)",
    "Scout Tower (orc)",
    "Stables",
    "Ogre Mound",
    "Gnomish Inventor",
    "Goblin Alchemist",
    "Gryphon Aviary",
    "Dragon Roost",
    "Shipyard (human)",
    "Shipyard (orc)",
    "Town Hall",
    "Great Hall",
    "Elven Lumber Mill",
    "Troll Lumber Mill",
    "Foundry (human)",
    "Foundry (orc)",
    "Mage Tower",
    "Temple of the Damned",
    "Blacksmith (human)",
    "Blacksmith (orc)",
    "Refinery (human)",
    "Refinery (orc)",
    "Oil Platform (human)",
    "Oil Platform (orc)",
    "Keep",
    "Stronghold",
    "Castle",
    "Fortress",
    "Gold Mine",
    "Oil Patch",
    "Start Location (human)",
    "Start Location (orc)",
    "Guard Tower (human)",
    "Guard Tower (orc)",
    "Cannon Tower (human)",
    "Cannon Tower (orc)",
    "Circle of Power",
    "Dark Portal",
    "Runestone",
};

// Each label's hot key is marked: byte 2 switches to yellow, byte 1 back.
const char* const kLabels[] = {
    "\x02M\x01ove",
    "\x02S\x01top",
    "\x02"
    "A\x01ttack",
    "\x02P\x01"
    "atrol",
    "Stand \x02G\x01round",
    "Attack \x02G\x01round",
    "\x02R\x01"
    "epair",
    "\x02H\x01"
    "arvest Lumber/Mine Gold",
    "Return with \x02G\x01oods",
    "\x02"
    "B\x01uild Basic Structure",
    "Build Ad\x02v\x01"
    "anced Structure",
    "Train \x02"
    "F\x01ootman",
    "Train \x02G\x01runt",
    "Train \x02P\x01"
    "easant",
    "Train \x02P\x01"
    "eon",
    "Train \x02"
    "A\x01rcher",
    "Train \x02T\x01roll Axethrower",
    "Train \x02K\x01night",
    "Train \x02O\x01gre",
    "Build \x02"
    "F\x01"
    "arm",
    "Build \x02P\x01ig Farm",
    "Build \x02"
    "B\x01"
    "arracks",
    "Build \x02L\x01umber Mill",
    "Build \x02"
    "B\x01lacksmith",
    "Build \x02S\x01hipyard",
    "Build \x02T\x01own Hall",
    "Build \x02G\x01reat Hall",
    "Build \x02T\x01ower",
    "Build \x02W\x01"
    "all",
    "Upgrade \x02S\x01words (Damage +2)",
    "Upgrade \x02"
    "A\x01xes (Damage +2)",
    "Upgrade \x02S\x01hields (Armor +2)",
    "Upgrade \x02H\x01"
    "elmets (Armor +2)",
    "Upgrade to \x02K\x01"
    "eep",
    "Upgrade to \x02S\x01tronghold",
    "Upgrade to \x02"
    "C\x01"
    "astle",
    "Upgrade to \x02"
    "F\x01ortress",
    "Research \x02"
    "E\x01xorcism",
    "Research \x02"
    "B\x01loodlust",
    "Cast \x02H\x01"
    "ealing",
    "Cast \x02H\x01oly Vision",
    "Cast \x02"
    "F\x01lame Shield",
    "Cast \x02"
    "F\x01ireball",
    "Cast \x02S\x01low",
    "Cast \x02I\x01nvisibility",
    "Cast \x02P\x01olymorph",
    "Cast \x02I\x01"
    "ce Storm",
    "Cast \x02"
    "D\x01"
    "eath Coil",
    "Cast \x02W\x01hirlwind",
    "Cast \x02R\x01"
    "aise Dead",
    "Cast \x02U\x01nholy Armor",
    "Cast \x02R\x01unes",
    "Cast \x02"
    "D\x01"
    "eath and Decay",
    "Cast \x02H\x01"
    "aste",
    "\x02"
    "C\x01"
    "ancel",
    "\x1b\x02"
    "C\x01"
    "ancel Building",
    "Unload \x02T\x01ransport",
    "\x03"
    "Destroy\x01 this unit",
    "\x05(disabled)\x01 Rescue",
    "\x02"
    "D\x01"
    "emolish",
};

}  // namespace

std::vector<std::string> demoStrings() {
    std::vector<std::string> strings{"WarCraft II demo strings"};
    for (const char* name : kUnitNames) {
        strings.emplace_back(name);
    }
    strings.emplace_back("Wall");  // string 104: rows 103 and 104 are its human and orc forms
    for (const char* label : kLabels) {
        strings.emplace_back(label);
    }
    return strings;
}

int demoLabelCount() {
    return static_cast<int>(std::size(kLabels));
}

}  // namespace gamekit
