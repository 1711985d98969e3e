#pragma once
// A cluster laid flat for comparing: each object of each kind as its name and a list of
// labelled fields. A field points at its value in the cluster (a text or a list), or holds
// it written out (a schedule entry, an encoding part); values are compared by meaning, so how
// a number is written does not count, and lists whose order carries no meaning as sets. A
// frame's signals are one field each, so a comparison names the signal that moved. Nothing
// is copied from the cluster unless it differs, so a comparison costs about what a load does.

#include <set>
#include <string>
#include <string_view>
#include <vector>

class corvString;
class corvStringArray;
class corvdekLINDefinitionFile;

struct FlatField {
    const char* label = "";          // "size"; "signal " before `labelName`; "entry " before `number`
    std::u16string_view labelName;   // the signal or composite node a field is about
    int number = 0;                  // an entry's or part's place; the count of a repeated signal
    const corvString* value = nullptr;
    const corvStringArray* list = nullptr;
    bool ordered = false;            // a list whose order carries meaning
    std::string text;                // an entry or part, written out with its numbers by meaning
    // The nodes this field alone concerns (a schedule entry's); empty: those of its object.
    std::set<std::string> nodes;

    bool SameLabel(const FlatField& other) const;
    bool SameValue(const FlatField& other) const;
    std::string Label() const;
    std::string Shown() const;
};

struct FlatObject {
    std::u16string_view name;
    const corvString* identity = nullptr;  // printed after an added or removed object's name
    std::vector<FlatField> fields;
    std::set<std::string> nodes;  // the nodes the object concerns; only when asked for
};

struct FlatKind {
    const char* kind;  // "signal", "schedule table"
    std::vector<FlatObject> objects;
};

// Every kind in a fixed order, each object in the file's order. The result points into
// `cluster`. With `withNodes`, objects and schedule entries also know the nodes they concern.
std::vector<FlatKind> Flatten(const corvdekLINDefinitionFile& cluster, bool withNodes);

// The value of a text by its meaning: a whole number in decimal, a real number in its
// shortest form, any other text trimmed.
std::string Meaning(std::u16string_view text);
