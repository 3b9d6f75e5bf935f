#include "ClassRoster.h"

#include <algorithm>
#include <set>

namespace calctutor::classgen {

namespace {

const std::vector<std::string> kFirstNames = {
    "Ann",   "Ben",  "Carla", "David", "Emma",  "Farid",    "Grace", "Hiro",   "Inés",   "Jack",   "Karin",  "Liam",
    "Maria", "Noah", "Olga",  "Pedro", "Quinn", "Rosa",     "Sam",   "Tariq",  "Uma",    "Victor", "Wendy",  "Xavier",
    "Yara",  "Zoë",  "José",  "Chloé", "Björn", "François", "Renée", "Søren",  "Ángela", "Mary",   "Jean",   "Li",
    "Aisha", "Omar", "Priya", "Lukas", "Nina",  "Oscar",    "Paula", "Rafael", "Sofia",  "Tom",    "Hannah", "Ivan",
    "Julia", "Kofi", "Lena",  "Marco", "Nadia", "Pablo",    "Ruth",  "Stefan", "Teresa", "Ugo",    "Vera",   "Wei",
};

const std::vector<std::string> kLastNames = {
    "Smith",  "Jones",     "Müller", "Núñez",    "O'Brien", "García",  "Nguyen", "Kowalski", "Dubois",    "Rossi",
    "Larsen", "Tanaka",    "Okafor", "Schmidt",  "Martín",  "Brown",   "Wilson", "Taylor",   "Andersen",  "Fischer",
    "Lopez",  "Clark",     "Lewis",  "Walker",   "Hall",    "Young",   "King",   "Wright",   "Scott",     "Green",
    "Baker",  "Adams",     "Nelson", "Hill",     "Moore",   "Cohen",   "Patel",  "Kim",      "Chen",      "Singh",
    "Weiß",   "Jørgensen", "Dupré",  "Ferreira", "Novak",   "Horvath", "Santos", "Ito",      "Berg",      "Costa",
    "Dalton", "Evans",     "Foster", "Grant",    "Hughes",  "Irwin",   "Jensen", "Keller",   "Lindqvist", "Mensah",
};

} // namespace

std::vector<std::string> classRoster(std::size_t count, Dice& dice)
{
    std::set<std::string> names;
    while (names.size() < count) {
        std::string name = dice.pick(kFirstNames) + " ";
        // Beyond the pairs of names, middle initials keep every name distinct.
        if (names.size() * 2 > kFirstNames.size() * kLastNames.size() || dice.chance(0.05))
            name += std::string(1, static_cast<char>('A' + dice.below(26))) + ". ";
        names.insert(name + dice.pick(kLastNames));
    }
    return {names.begin(), names.end()};
}

} // namespace calctutor::classgen
