#include "cluster_diff.h"

#include <algorithm>
#include <unordered_map>

#include "flat_cluster.h"
#include "foundation/corv_string.h"
#include "foundation/text_encoding.h"

namespace {

// The field of `object` with `field`'s label: usually at the same place.
const FlatField* Counterpart(const FlatObject& object, const FlatField& field, std::size_t place) {
    if (place < object.fields.size() && object.fields[place].SameLabel(field)) return &object.fields[place];
    for (const FlatField& candidate : object.fields) {
        if (candidate.SameLabel(field)) return &candidate;
    }
    return nullptr;
}

bool Concerns(const std::set<std::string>& nodes, const std::string& node) { return nodes.count(node) != 0; }

// The fields that differ, in the old object's order, then the new object's new ones. With a
// node, a field of its own nodes (a schedule entry) counts only when it concerns that node.
std::vector<FieldChange> ChangedFields(const FlatObject& before, const FlatObject& after, const std::string& node) {
    std::vector<FieldChange> changes;
    const auto counts = [&node](const FlatField* field) {
        return node.empty() || (field != nullptr && (field->nodes.empty() || Concerns(field->nodes, node)));
    };
    for (std::size_t i = 0; i < before.fields.size(); ++i) {
        const FlatField& old = before.fields[i];
        const FlatField* now = Counterpart(after, old, i);
        if ((now != nullptr && now->SameValue(old)) || !(counts(&old) || counts(now))) continue;
        changes.push_back({old.Label(), old.Shown(), now != nullptr ? std::optional(now->Shown()) : std::nullopt});
    }
    for (std::size_t i = 0; i < after.fields.size(); ++i) {
        const FlatField& now = after.fields[i];
        if (Counterpart(before, now, i) == nullptr && counts(&now)) changes.push_back({now.Label(), std::nullopt, now.Shown()});
    }
    return changes;
}

bool SameContent(const FlatObject& a, const FlatObject& b) {
    return std::equal(a.fields.begin(), a.fields.end(), b.fields.begin(), b.fields.end(),
                      [](const FlatField& x, const FlatField& y) { return x.SameLabel(y) && x.SameValue(y); });
}

std::string Utf8(std::u16string_view text) { return tabrel::EncodeUtf8(text); }

std::string Identity(const FlatObject& object) { return object.identity != nullptr ? object.identity->ToUtf8() : ""; }

// The objects of `after` matched to those of `before`: the one at the same place when it has
// the name (a revision mostly keeps the order), else the first of the name not yet matched.
std::vector<const FlatObject*> MatchByName(const FlatKind& before, const FlatKind& after) {
    std::vector<const FlatObject*> match(before.objects.size(), nullptr);
    std::vector<bool> taken(after.objects.size(), false);
    std::unordered_map<std::u16string_view, std::vector<std::size_t>> byName;  // built when first needed
    for (std::size_t i = 0; i < before.objects.size(); ++i) {
        const std::u16string_view name = before.objects[i].name;
        if (i < after.objects.size() && !taken[i] && after.objects[i].name == name) {
            match[i] = &after.objects[i];
            taken[i] = true;
            continue;
        }
        if (byName.empty()) {
            for (std::size_t k = 0; k < after.objects.size(); ++k) byName[after.objects[k].name].push_back(k);
        }
        const auto found = byName.find(name);
        if (found == byName.end()) continue;
        for (const std::size_t k : found->second) {
            if (taken[k]) continue;
            match[i] = &after.objects[k];
            taken[k] = true;
            break;
        }
    }
    return match;
}

void CompareKind(const FlatKind& before, const FlatKind& after, const std::string& node,
                 std::vector<ObjectChange>& changes) {
    const auto concerned = [&node](const FlatObject& object) { return node.empty() || Concerns(object.nodes, node); };
    const std::vector<const FlatObject*> match = MatchByName(before, after);
    std::vector<bool> matched(after.objects.size(), false);
    std::vector<const FlatObject*> gone;
    for (std::size_t i = 0; i < before.objects.size(); ++i) {
        const FlatObject& old = before.objects[i];
        if (match[i] == nullptr) {
            gone.push_back(&old);
            continue;
        }
        const FlatObject& now = *match[i];
        matched[static_cast<std::size_t>(&now - after.objects.data())] = true;
        if (!concerned(old) && !concerned(now)) continue;
        std::vector<FieldChange> fields = ChangedFields(old, now, node);
        if (!fields.empty()) {
            changes.push_back({before.kind, Utf8(old.name), ObjectChange::kChanged, "", "", std::move(fields)});
        }
    }
    std::vector<const FlatObject*> came;  // in the new file's order
    for (std::size_t k = 0; k < after.objects.size(); ++k) {
        if (!matched[k]) came.push_back(&after.objects[k]);
    }
    for (const FlatObject* old : gone) {
        const auto renamed = std::find_if(came.begin(), came.end(), [old](const FlatObject* now) {
            return now != nullptr && SameContent(*old, *now);
        });
        if (renamed != came.end()) {
            if (concerned(*old)) {
                changes.push_back({before.kind, Utf8(old->name), ObjectChange::kRenamed, Utf8((*renamed)->name), "", {}});
            }
            *renamed = nullptr;
        } else if (concerned(*old)) {
            changes.push_back({before.kind, Utf8(old->name), ObjectChange::kRemoved, "", Identity(*old), {}});
        }
    }
    for (const FlatObject* now : came) {
        if (now != nullptr && concerned(*now)) {
            changes.push_back({after.kind, Utf8(now->name), ObjectChange::kAdded, "", Identity(*now), {}});
        }
    }
}

}  // namespace

std::vector<ObjectChange> CompareClusters(const corvdekLINDefinitionFile& before,
                                          const corvdekLINDefinitionFile& after, const std::string& node) {
    const std::vector<FlatKind> beforeKinds = Flatten(before, !node.empty());
    const std::vector<FlatKind> afterKinds = Flatten(after, !node.empty());
    std::vector<ObjectChange> changes;
    for (std::size_t k = 0; k < beforeKinds.size(); ++k) CompareKind(beforeKinds[k], afterKinds[k], node, changes);
    return changes;
}

namespace {

std::string Shown(const std::optional<std::string>& value) { return value && !value->empty() ? *value : "(none)"; }

}  // namespace

std::string ChangeLine(const ObjectChange& change) {
    std::string object = change.kind;
    if (!change.name.empty()) object += " " + change.name;
    const std::string identity = change.identity.empty() ? std::string() : " (" + change.identity + ")";
    switch (change.change) {
        case ObjectChange::kAdded: return "+ " + object + identity;
        case ObjectChange::kRemoved: return "- " + object + identity;
        case ObjectChange::kRenamed: return "> " + object + " renamed " + change.newName;
        case ObjectChange::kChanged: break;
    }
    std::string line = "~ " + object + ":";
    for (const FieldChange& field : change.fields) {
        if (&field != &change.fields.front()) line += ",";
        line += " " + field.field + " " + Shown(field.oldValue) + " -> " + Shown(field.newValue);
    }
    return line;
}
