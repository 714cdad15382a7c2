#include "tables/table_export.h"

#include <algorithm>
#include <map>
#include <set>

#include "base/json.h"
#include "tables/row_names.h"

namespace zorbel {

namespace {

constexpr std::string_view kJsonFormat = "zorbel tables 1";
constexpr std::string_view kRowName = "row_name";

std::string valueText(const ExeImage& image, const FieldDef& field, std::int64_t row) {
    return ValueText(ReadField(image, field, row));
}

std::string csvCell(std::string_view text) {
    const bool plain = text.find_first_of(",\"\r\n") == std::string_view::npos &&
                       (text.empty() || (text.front() != ' ' && text.back() != ' '));
    if (plain) {
        return std::string(text);
    }
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

// Reads one value of a field; "" when it is set, else why not.
std::string takeValue(std::string_view text, const FieldDef& field, std::int64_t row, int line,
                      TablePatch& into) {
    text = trimmed(text);
    if (text.empty() || text == "-" || (text == "none" && IsPointer(field))) {
        return {};
    }
    if (!HasRow(field, VersionLayouts[static_cast<std::size_t>(into.base.build)], row)) {
        return "row " + std::to_string(row) + " has no " + std::string(field.key);
    }
    const auto [low, high] = FieldRange(field);
    const auto v = DecimalValue(text);
    if (!v || *v < low || *v > high) {
        return "the value " + std::string(text) + " does not fit " + std::string(field.key) + " (" +
               std::to_string(low) + " to " + std::to_string(high) + ")";
    }
    into.entries.push_back({&field, row, std::nullopt, *v, line});
    return {};
}

std::string rowError(const TableDef& table, std::string_view row, std::int32_t build) {
    return "table " + std::string(table.key) + " has no row " + std::string(row) + " in build " +
           std::to_string(build);
}

// RFC 4180 records, each with the line it starts on.
struct CsvRecord {
    std::vector<std::string> cells;
    int line = 0;
};

Result<std::vector<CsvRecord>> csvRecords(std::string_view text, std::string_view fileName) {
    std::vector<CsvRecord> out;
    int line = 1;
    std::size_t at = 0;
    auto fail = [&](const std::string& why) {
        return Result<std::vector<CsvRecord>>::failure(std::string(fileName) + ":" + std::to_string(line) +
                                                       ": " + why);
    };
    while (at < text.size()) {
        CsvRecord record{{}, line};
        while (true) {
            std::string cell;
            if (at < text.size() && text[at] == '"') {
                ++at;
                while (true) {
                    if (at == text.size()) {
                        line = record.line;
                        return fail("a quoted cell is not closed");
                    }
                    const char c = text[at++];
                    if (c == '"') {
                        if (at < text.size() && text[at] == '"') {
                            cell += '"';
                            ++at;
                            continue;
                        }
                        break;
                    }
                    line += c == '\n' ? 1 : 0;
                    cell += c;
                }
                if (at < text.size() && text[at] != ',' && text[at] != '\n' && text[at] != '\r') {
                    return fail("text after the closing quote of a cell");
                }
            } else {
                while (at < text.size() && text[at] != ',' && text[at] != '\n' && text[at] != '\r') {
                    if (text[at] == '"') {
                        return fail("a quote inside a cell that does not start with one");
                    }
                    cell += text[at++];
                }
            }
            record.cells.push_back(std::move(cell));
            if (at < text.size() && text[at] == ',') {
                ++at;
                continue;
            }
            break;
        }
        if (at < text.size() && text[at] == '\r') {
            ++at;
        }
        if (at < text.size() && text[at] == '\n') {
            ++at;
        } else if (at < text.size()) {
            return fail("a carriage return inside a line");
        }
        ++line;
        const bool blank = record.cells.size() == 1 && trimmed(record.cells[0]).empty();
        if (!blank) {
            out.push_back(std::move(record));
        }
    }
    return out;
}

// "units" or "units build 2".
struct CsvTitle {
    const TableDef* table = nullptr;
    std::optional<std::int64_t> build;
};

CsvTitle csvTitle(std::string_view cell) {
    cell = trimmed(cell);
    const std::size_t space = cell.find(' ');
    CsvTitle title{FindTable(cell.substr(0, space)), std::nullopt};
    if (space == std::string_view::npos || title.table == nullptr) {
        return title;
    }
    const std::string_view rest = trimmed(cell.substr(space));
    if (rest.substr(0, 6) != "build " || !(title.build = DecimalValue(trimmed(rest.substr(6))))) {
        title.table = nullptr;
    }
    return title;
}

bool knownBuild(std::int64_t build) {
    return build >= 0 && build < kBuildCount;
}

}  // namespace

std::string TableCsvName(TableId table) {
    return std::string(TableOf(table).key) + ".csv";
}

std::string WriteTableCsv(const ExeImage& image, TableId table, const std::vector<std::string>* strings) {
    const auto fields = TableFields(table);
    std::string out = std::string(TableOf(table).key) + " build " + std::to_string(image.GameVersion()) +
                      "," + std::string(kRowName);
    for (const FieldDef* f : fields) {
        out += "," + std::string(f->key);
    }
    out += "\r\n";
    for (const std::int64_t row : TableRows(table, image.layout())) {
        out += std::to_string(row) + "," + csvCell(RowName(table, row, strings));
        for (const FieldDef* f : fields) {
            out += "," + valueText(image, *f, row);
        }
        out += "\r\n";
    }
    return out;
}

std::vector<NamedText> WriteTableCsvs(const ExeImage& image, const std::vector<std::string>* strings) {
    std::vector<NamedText> out;
    for (const TableDef& t : Tables()) {
        out.push_back({TableCsvName(t.id), WriteTableCsv(image, t.id, strings)});
    }
    return out;
}

std::string WriteTablesJson(const ExeImage& image, const std::vector<std::string>* strings) {
    std::string out = "{\"format\": " + JsonString(kJsonFormat) +
                      ", \"build\": " + std::to_string(image.GameVersion()) + ",\n \"tables\": {";
    bool firstTable = true;
    for (const TableDef& t : Tables()) {
        out += std::string(firstTable ? "\n" : ",\n") + "  " + JsonString(t.key) + ": [";
        firstTable = false;
        const auto fields = TableFields(t.id);
        bool firstRow = true;
        for (const std::int64_t row : TableRows(t.id, image.layout())) {
            out += std::string(firstRow ? "\n" : ",\n") + "   {\"row\": " + std::to_string(row) + ", " +
                   JsonString(kRowName) + ": " + JsonString(RowName(t.id, row, strings));
            firstRow = false;
            for (const FieldDef* f : fields) {
                const auto v = ReadField(image, *f, row);
                out += ", " + JsonString(f->key) + ": " +
                       (v && v->found ? std::to_string(v->value) : JsonString(ValueText(v)));
            }
            out += "}";
        }
        out += "]";
    }
    return out + "}}\n";
}

Result<TablePatch> ReadTableCsv(std::string_view text, std::string_view fileName, std::int32_t build) {
    auto records = csvRecords(text, fileName);
    if (!records) {
        return Result<TablePatch>::failure(records.error());
    }
    int line = 1;
    auto fail = [&](const std::string& why) {
        return Result<TablePatch>::failure(std::string(fileName) + ":" + std::to_string(line) + ": " + why);
    };
    const std::vector<CsvRecord>& rows = records.value();
    if (rows.empty()) {
        return fail("empty: no header row");
    }
    const std::vector<std::string>& header = rows[0].cells;
    line = rows[0].line;
    const CsvTitle title = csvTitle(header[0]);
    if (title.table == nullptr) {
        return fail("the first cell names no table: \"" + header[0] + "\"");
    }
    if (title.build && !knownBuild(*title.build)) {
        return fail("no known build " + std::to_string(*title.build));
    }
    TablePatch patch;
    patch.base.build = title.build ? static_cast<std::int32_t>(*title.build) : build;
    const TableDef& table = *title.table;
    std::vector<const FieldDef*> columns;  // null: the row name
    for (std::size_t c = 1; c < header.size(); ++c) {
        const std::string_view key = trimmed(header[c]);
        const FieldDef* field = FindField(table.key, key);
        if (field == nullptr && key != kRowName) {
            return fail("table " + std::string(table.key) + " has no field \"" + std::string(key) + "\"");
        }
        if (std::find(columns.begin(), columns.end(), field) != columns.end()) {
            return fail("the column \"" + std::string(key) + "\" is given twice");
        }
        columns.push_back(field);
    }
    const VersionLayout& layout = VersionLayouts[static_cast<std::size_t>(patch.base.build)];
    const auto rowSet = TableRows(table.id, layout);
    std::set<std::int64_t> seen;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        line = rows[r].line;
        const std::vector<std::string>& cells = rows[r].cells;
        if (cells.size() != header.size()) {
            return fail(std::to_string(cells.size()) + " cells where the header has " +
                        std::to_string(header.size()));
        }
        const auto row = DecimalValue(trimmed(cells[0]));
        if (!row || !std::binary_search(rowSet.begin(), rowSet.end(), *row)) {
            return fail(rowError(table, trimmed(cells[0]), patch.base.build));
        }
        if (!seen.insert(*row).second) {
            return fail("row " + std::to_string(*row) + " is given twice");
        }
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (columns[c] == nullptr) {
                continue;  // the row's name
            }
            if (const std::string why = takeValue(cells[c + 1], *columns[c], *row, line, patch);
                !why.empty()) {
                return fail(why);
            }
        }
    }
    return patch;
}

Result<TablePatch> ReadTableCsvs(const std::vector<NamedText>& files, std::int32_t build) {
    TablePatch all;
    std::map<TableId, std::string> tables;  // which file gave each
    for (std::size_t k = 0; k < files.size(); ++k) {
        auto one = ReadTableCsv(files[k].text, files[k].name, build);
        if (!one) {
            return one;
        }
        if (k > 0 && one.value().base.build != all.base.build) {
            return Result<TablePatch>::failure(
                files[k].name + ": build " + std::to_string(one.value().base.build) + ", but " +
                files[0].name + " is of build " + std::to_string(all.base.build));
        }
        all.base = one.value().base;
        for (PatchEntry& e : one.value().entries) {
            const auto [first, fresh] = tables.try_emplace(e.field->table, files[k].name);
            if (!fresh && first->second != files[k].name) {
                return Result<TablePatch>::failure(files[k].name + ": table " +
                                                   std::string(TableOf(e.field->table).key) +
                                                   " is given in " + first->second + " too");
            }
            all.entries.push_back(e);
        }
    }
    return all;
}

Result<TablePatch> ReadTablesJson(std::string_view text, std::string_view fileName, std::int32_t build) {
    auto parsed = ParseJson(text, fileName);
    if (!parsed) {
        return Result<TablePatch>::failure(parsed.error());
    }
    auto fail = [&](const JsonValue& at, const std::string& why) {
        return Result<TablePatch>::failure(std::string(fileName) + ":" + std::to_string(at.line) + ": " +
                                           why);
    };
    const JsonValue& root = parsed.value();
    if (root.type != JsonValue::Type::Object) {
        return fail(root, R"(expected an object with "format", "build" and "tables")");
    }
    TablePatch patch;
    patch.base.build = build;
    const JsonValue* tables = nullptr;
    for (const auto& [key, value] : root.members) {
        if (key == "format") {
            if (value.type != JsonValue::Type::String || value.text != kJsonFormat) {
                return fail(value, "the format is not \"" + std::string(kJsonFormat) + "\"");
            }
        } else if (key == "build") {
            const auto b = value.integer();
            if (!b || !knownBuild(*b)) {
                return fail(value, "no known build " + value.text);
            }
            patch.base.build = static_cast<std::int32_t>(*b);
        } else if (key == "tables") {
            tables = &value;
        } else {
            return fail(value, "unknown key \"" + key + "\"");
        }
    }
    if (root.member("format") == nullptr) {
        return fail(root, "the \"format\" key is missing");
    }
    if (tables == nullptr || tables->type != JsonValue::Type::Object) {
        return fail(tables == nullptr ? root : *tables, "expected \"tables\": an object of tables");
    }
    const VersionLayout& layout = VersionLayouts[static_cast<std::size_t>(patch.base.build)];
    for (const auto& [key, rows] : tables->members) {
        const TableDef* table = FindTable(key);
        if (table == nullptr) {
            return fail(rows, "no table \"" + key + "\"");
        }
        if (rows.type != JsonValue::Type::Array) {
            return fail(rows, "table " + key + ": expected an array of rows");
        }
        const auto rowSet = TableRows(table->id, layout);
        std::set<std::int64_t> seen;
        for (const JsonValue& r : rows.items) {
            const JsonValue* rowValue = r.type == JsonValue::Type::Object ? r.member("row") : nullptr;
            if (rowValue == nullptr) {
                return fail(r, "table " + key + ": expected a row, an object with \"row\"");
            }
            const auto row = rowValue->integer();
            if (!row || !std::binary_search(rowSet.begin(), rowSet.end(), *row)) {
                return fail(*rowValue, rowError(*table, rowValue->text, patch.base.build));
            }
            if (!seen.insert(*row).second) {
                return fail(*rowValue, "row " + std::to_string(*row) + " is given twice");
            }
            for (const auto& [name, value] : r.members) {
                if (name == "row" || name == kRowName) {
                    continue;
                }
                const FieldDef* field = FindField(key, name);
                if (field == nullptr) {
                    return fail(value, "table " + key + " has no field " + JsonString(name));
                }
                const bool isText = value.type == JsonValue::Type::String;
                if (value.type != JsonValue::Type::Number &&
                    !(isText && (value.text == "-" || value.text == "none"))) {
                    return fail(value, std::string(field->key) + ": expected a number");
                }
                const std::string why = takeValue(value.text, *field, *row, value.line, patch);
                if (!why.empty()) {
                    return fail(value, why);
                }
            }
        }
    }
    return patch;
}

}  // namespace zorbel
