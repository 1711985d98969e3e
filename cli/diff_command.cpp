// tabrel-cli diff: what changed between two revisions of a cluster.

#include <nlohmann/json.hpp>
#include <ostream>

#include "cluster_diff/cluster_diff.h"
#include "commands.h"
#include "document_io.h"
#include "model/definition_file.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kChangeNames[] = {"added", "removed", "renamed", "changed"};

Json ChangeJson(const ObjectChange& change) {
    Json json = {{"kind", change.kind}, {"name", change.name}, {"change", kChangeNames[change.change]}};
    if (change.change == ObjectChange::kRenamed) json["newName"] = change.newName;
    Json& fields = json["fields"] = Json::array();
    for (const FieldChange& field : change.fields) {
        fields.push_back({{"field", field.field},
                          {"old", field.oldValue ? Json(*field.oldValue) : Json()},
                          {"new", field.newValue ? Json(*field.newValue) : Json()}});
    }
    return json;
}

}  // namespace

int RunDiff(const DiffOptions& options, std::ostream& out, std::ostream& err) {
    const CommandDocument before = NewCommandDocument();
    const CommandDocument after = NewCommandDocument();
    if (!LoadForCommand(*before, options.before, err) || !LoadForCommand(*after, options.after, err)) {
        return kExitFailure;
    }
    const std::vector<ObjectChange> changes = CompareClusters(*before, *after, options.node);
    if (options.json) {
        Json json = {{"changes", Json::array()}};
        for (const ObjectChange& change : changes) json["changes"].push_back(ChangeJson(change));
        out << json.dump(2) << "\n";
    } else {
        for (const ObjectChange& change : changes) out << ChangeLine(change) << "\n";
    }
    return changes.empty() ? kExitOk : kExitIssues;
}
