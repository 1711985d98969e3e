#pragma once
// The whole cluster as JSON, with a fixed key order so that exports can be compared.

#include <nlohmann/json.hpp>

class corvdekLINDefinitionFile;

nlohmann::ordered_json ClusterToJson(const corvdekLINDefinitionFile& document);
