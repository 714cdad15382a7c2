#include "cli/cli.h"

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>

#include <filesystem>

#include "archive/war_archive.h"
#include "base/json.h"
#include "checks/table_checks.h"
#include "exe/exe_file.h"
#include "graphics/sprite_converter.h"
#include "tables/compare.h"
#include "tables/row_names.h"
#include "tables/table_export.h"
#include "tables/table_patch.h"
#include "text/string_table.h"

namespace zorbel {

namespace {

constexpr const char* kUsage =
    "usage: zorbel-cli COMMAND ...\n"
    "  info EXE                                  the build, the size and the tables\n"
    "  diff CLEAN MODIFIED [--json]              the fields that differ\n"
    "  make-patch CLEAN MODIFIED -o PATCH        those fields as a table patch\n"
    "  apply PATCH [PATCH ...] EXE -o OUT        the patches applied in order\n"
    "  export EXE (--csv DIR | --json FILE)      every table as CSV files or JSON\n"
    "  import EXE (--csv DIR | --json FILE) -o OUT   tables read back into a copy\n"
    "  validate EXE [--json]                     values the game would not survive\n"
    "zorbel-cli COMMAND --help says more of each. Exit status: 0 done, 1 bad usage or\n"
    "input (or, of validate, errors found), 3 conflicts (nothing written).\n";

const std::map<std::string_view, const char*> kHelp = {
    {"info",
     "usage: zorbel-cli info EXE\nPrints the build, the file size and each table's rows and fields.\n"},
    {"diff",
     "usage: zorbel-cli diff CLEAN MODIFIED [--json]\n"
     "Lists every field whose value differs, \"Units · 3. Peon · Icon: 12 → 14\", and with two\n"
     "files of one build the bytes that differ outside every table. --json prints them as JSON.\n"},
    {"make-patch",
     "usage: zorbel-cli make-patch CLEAN MODIFIED -o PATCH\n"
     "Writes the fields that differ as a table patch made against CLEAN.\n"},
    {"apply",
     "usage: zorbel-cli apply PATCH [PATCH ...] EXE -o OUT\n"
     "Applies the table patches in order and writes OUT. Two patches that set one field to\n"
     "different values, or a field whose value is neither a patch's old nor its new one, are\n"
     "conflicts: all are listed and nothing is written (exit status 3). Pointers of a patch made\n"
     "on another build are left out and listed.\n"},
    {"export",
     "usage: zorbel-cli export EXE (--csv DIR | --json FILE)\n"
     "Writes every table: as one CSV file a table in DIR (units.csv, sounds.csv, ...), made if\n"
     "missing, or as one JSON file.\n"},
    {"import",
     "usage: zorbel-cli import EXE (--csv DIR | --json FILE) -o OUT\n"
     "Sets every value of the CSV files in DIR (those named after a table) or of the JSON file\n"
     "that differs from EXE's, and writes OUT. Pointers of another build are left out and listed.\n"},
    {"validate",
     "usage: zorbel-cli validate EXE [--json]\n"
     "Lists the values of EXE's tables that the game does not survive, as errors, warnings and\n"
     "notes, each with its field. Names and icons are checked when EXE's folder holds the game's\n"
     "DATA archives. --json prints them as JSON. Exit status 1 when there are errors.\n"},
};

struct Failure {
    std::string message;
    int status = kCliBadInput;
};

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

ExeImage readExe(const std::string& path) {
    auto bytes = readWholeFile(path, kMaxExecutableSize);
    if (!bytes) {
        throw Failure{"cannot read " + quoted(path) + ": " + bytes.error()};
    }
    const std::int32_t build = DetectGameVersion(bytes.value());
    if (build == kNoGame) {
        throw Failure{quoted(path) + " is no known build of WarCraft II"};
    }
    ExeImage image;
    image.hold(std::move(bytes.value()), build, fileNamePart(path));
    return image;
}

// The game's strings, from DATA/STRDAT.WAR beside the executable, to name
// the units; none when they cannot be read.
std::optional<std::vector<std::string>> gameStrings(const std::string& exePath) {
    const auto archive = findArchive(std::filesystem::path(exePath).parent_path(), "strdat.war");
    if (!archive) {
        return std::nullopt;
    }
    auto entry = ReadWarEntry(*archive, 1, "strdat.war");
    if (!entry) {
        return std::nullopt;
    }
    return ParseStringTable(entry.value());
}

const std::vector<std::string>* orNull(const std::optional<std::vector<std::string>>& strings) {
    return strings ? &*strings : nullptr;
}

std::string readText(const std::string& path) {
    auto bytes = readWholeFile(path, 64ull << 20);
    if (!bytes) {
        throw Failure{"cannot read " + quoted(path) + ": " + bytes.error()};
    }
    return {bytes.value().begin(), bytes.value().end()};
}

ByteView textBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TablePatch readPatch(const std::string& path) {
    auto patch = ReadTablePatch(readText(path), path);
    if (!patch) {
        throw Failure{patch.error()};
    }
    return std::move(patch.value());
}

// Refused before any work is done.
void checkOutput(const std::string& path, const std::vector<std::string>& inputs) {
    if (isProtectedSaveName(path)) {
        throw Failure{"will not write over a file named WAR2.EXE: " + quoted(path)};
    }
    for (const std::string& input : inputs) {
        if (SameFile(path, input)) {
            throw Failure{"will not write over its input " + quoted(input)};
        }
    }
}

void write(const std::string& path, ByteView bytes, const std::vector<std::string>& inputs) {
    checkOutput(path, inputs);
    const Status saved = writeFileReplacing(path, bytes);
    if (!saved) {
        throw Failure{"cannot write " + quoted(path) + ": " + saved.error()};
    }
}

// The arguments after the command, with "-o PATH" taken out.
struct Args {
    std::vector<std::string> plain;
    std::optional<std::string> output;
    bool json = false;
    std::optional<std::string> csvPath;   // export and import: --csv DIR
    std::optional<std::string> jsonPath;  // --json FILE
};

enum class Takes : std::uint8_t { Plain, Output, JsonFlag, Tables, TablesAndOutput };

std::string optionValue(const std::vector<std::string>& args, std::size_t& k,
                        const std::optional<std::string>& had) {
    if (k + 1 == args.size() || had) {
        throw Failure{args[k] + " takes one " + (args[k] == "--csv" ? "folder" : "file")};
    }
    return args[++k];
}

Args parse(const std::vector<std::string>& args, Takes takes) {
    Args out;
    const bool takesOutput = takes == Takes::Output || takes == Takes::TablesAndOutput;
    const bool takesTables = takes == Takes::Tables || takes == Takes::TablesAndOutput;
    for (std::size_t k = 1; k < args.size(); ++k) {
        if (takesOutput && args[k] == "-o") {
            out.output = optionValue(args, k, out.output);
        } else if (takesTables && args[k] == "--csv") {
            out.csvPath = optionValue(args, k, out.csvPath);
        } else if (takesTables && args[k] == "--json") {
            out.jsonPath = optionValue(args, k, out.jsonPath);
        } else if (takes == Takes::JsonFlag && args[k] == "--json") {
            out.json = true;
        } else if (args[k].size() > 1 && args[k][0] == '-') {
            throw Failure{"unknown option " + args[k] + "\n" + kHelp.at(args[0])};
        } else {
            out.plain.push_back(args[k]);
        }
    }
    return out;
}

void expect(bool ok, std::string_view command) {
    if (!ok) {
        throw Failure{std::string("wrong arguments\n") + kHelp.at(command)};
    }
}

std::string jsonValue(const std::optional<FieldValue>& v) {
    return !v ? "null" : v->found ? std::to_string(v->value) : "\"none\"";
}

int info(const Args& a, std::ostream& out) {
    expect(a.plain.size() == 1, "info");
    const ExeImage image = readExe(a.plain[0]);
    out << image.fileName() << ": build " << image.GameVersion() << ", " << image.size() << " bytes\n";
    for (const TableDef& table : Tables()) {
        out << table.key << ": " << TableRows(table.id, image.layout()).size() << " rows, "
            << TableFields(table.id).size() << " fields\n";
    }
    return kCliOk;
}

int diff(const Args& a, std::ostream& out) {
    expect(a.plain.size() == 2, "diff");
    const ExeImage clean = readExe(a.plain[0]);
    const ExeImage modified = readExe(a.plain[1]);
    const Comparison c = CompareImages(clean, modified);
    const auto strings = gameStrings(a.plain[1]);
    if (!a.json) {
        for (const FieldChange& f : c.fields) {
            out << ChangeText(f, orNull(strings)) << "\n";
        }
        for (const ByteRange& r : c.outside) {
            out << OutsideText(r) << "\n";
        }
        return kCliOk;
    }
    out << "{\"fields\": [";
    for (std::size_t k = 0; k < c.fields.size(); ++k) {
        const FieldChange& f = c.fields[k];
        out << (k == 0 ? "\n" : ",\n") << "  {\"table\": " << JsonString(TableOf(f.field->table).key)
            << ", \"row\": " << f.row << ", \"field\": " << JsonString(f.field->key)
            << ", \"name\": " << JsonString(RowName(f.field->table, f.row, orNull(strings)))
            << ", \"was\": " << jsonValue(f.was) << ", \"now\": " << jsonValue(f.now)
            << ", \"comparable\": " << (f.comparable ? "true" : "false") << "}";
    }
    out << "],\n \"outside\": [";
    for (std::size_t k = 0; k < c.outside.size(); ++k) {
        out << (k == 0 ? "" : ", ") << "{\"offset\": " << c.outside[k].offset
            << ", \"length\": " << c.outside[k].length << "}";
    }
    out << "]}\n";
    return kCliOk;
}

int makePatch(const Args& a, std::ostream& err) {
    expect(a.plain.size() == 2 && a.output.has_value(), "make-patch");
    checkOutput(*a.output, a.plain);
    const ExeImage clean = readExe(a.plain[0]);
    const ExeImage modified = readExe(a.plain[1]);
    const Comparison c = CompareImages(clean, modified);
    const std::string text = WriteTablePatch(MakeTablePatch(clean, c), orNull(gameStrings(a.plain[1])));
    write(*a.output, textBytes(text), a.plain);
    std::size_t outside = 0;
    for (const ByteRange& r : c.outside) {
        outside += r.length;
    }
    if (outside > 0) {
        err << "zorbel-cli: " << outside << (outside == 1 ? " byte differs" : " bytes differ")
            << " outside the tables and is not in the patch\n";
    }
    if (c.changedFields() < c.fields.size()) {
        err << "zorbel-cli: " << c.fields.size() - c.changedFields()
            << " pointers of another build are not in the patch\n";
    }
    return kCliOk;
}

// What a patch or table file could not set here, the first few by line.
// `from` is a folder of CSV files when `perTable`.
void listRefused(const PatchPlan& plan, const std::string& from, std::ostream& err, bool perTable = false) {
    constexpr std::size_t kListed = 10;
    for (std::size_t k = 0; k < plan.refused.size() && k < kListed; ++k) {
        const PatchRefusal& r = plan.refused[k];
        const std::string file =
            perTable ? (std::filesystem::path(from) / TableCsvName(r.entry.field->table)).string() : from;
        err << "zorbel-cli: " << file << ":" << r.entry.line << ": not applied: " << RefusedText(r, nullptr)
            << "\n";
    }
    if (plan.refused.size() > kListed) {
        err << "zorbel-cli: " << from << ": " << plan.refused.size() - kListed << " more not applied\n";
    }
}

int apply(const Args& a, std::ostream& out, std::ostream& err) {
    expect(a.plain.size() >= 2 && a.output.has_value(), "apply");
    checkOutput(*a.output, a.plain);
    const std::vector<std::string> patchPaths(a.plain.begin(), a.plain.end() - 1);
    std::vector<TablePatch> patches;
    patches.reserve(patchPaths.size());
    for (const std::string& path : patchPaths) {
        patches.push_back(readPatch(path));
    }
    ExeImage image = readExe(a.plain.back());
    std::vector<std::string> conflicts = PatchClashes(patches, patchPaths);
    std::size_t set = 0;
    for (std::size_t p = 0; p < patches.size(); ++p) {
        const PatchPlan plan = PlanTablePatch(image, patches[p]);
        for (const PatchConflict& c : plan.conflicts) {
            conflicts.push_back(patchPaths[p] + ":" + std::to_string(c.entry.line) + ": " +
                                ConflictText(c, nullptr));
        }
        listRefused(plan, patchPaths[p], err);
        set += ApplyTablePatch(image, plan, false, patchPaths[p]);
    }
    if (!conflicts.empty()) {
        for (const std::string& c : conflicts) {
            err << "zorbel-cli: conflict: " << c << "\n";
        }
        err << "zorbel-cli: " << conflicts.size() << (conflicts.size() == 1 ? " conflict" : " conflicts")
            << "; nothing written\n";
        return kCliConflict;
    }
    write(*a.output, image.bytes(), a.plain);
    out << set << (set == 1 ? " field set\n" : " fields set\n");
    return kCliOk;
}

void expectOneKind(const Args& a, std::string_view command) {
    expect(a.csvPath.has_value() != a.jsonPath.has_value(), command);
}

int exportTables(const Args& a, std::ostream& out) {
    expect(a.plain.size() == 1, "export");
    expectOneKind(a, "export");
    const std::vector<std::string> inputs = a.plain;
    const ExeImage image = readExe(a.plain[0]);
    const auto strings = gameStrings(a.plain[0]);
    if (a.jsonPath) {
        write(*a.jsonPath, textBytes(WriteTablesJson(image, orNull(strings))), inputs);
        out << "every table written to " << *a.jsonPath << "\n";
        return kCliOk;
    }
    std::error_code error;
    std::filesystem::create_directories(*a.csvPath, error);
    if (error) {
        throw Failure{"cannot make the folder " + quoted(*a.csvPath) + ": " + error.message()};
    }
    const auto files = WriteTableCsvs(image, orNull(strings));
    for (const NamedText& f : files) {
        write((std::filesystem::path(*a.csvPath) / f.name).string(), textBytes(f.text), inputs);
    }
    out << files.size() << " tables written to " << *a.csvPath << "\n";
    return kCliOk;
}

int importTables(const Args& a, std::ostream& out, std::ostream& err) {
    expect(a.plain.size() == 1 && a.output.has_value(), "import");
    expectOneKind(a, "import");
    std::vector<std::string> inputs = a.plain;
    inputs.push_back(a.csvPath ? *a.csvPath : *a.jsonPath);
    checkOutput(*a.output, inputs);
    ExeImage image = readExe(a.plain[0]);
    std::optional<Result<TablePatch>> read;
    if (a.jsonPath) {
        read.emplace(ReadTablesJson(readText(*a.jsonPath), *a.jsonPath, image.GameVersion()));
    } else {
        // The files named after a table, in the order of the tables.
        std::vector<NamedText> files;
        for (const TableDef& t : Tables()) {
            const std::filesystem::path path = std::filesystem::path(*a.csvPath) / TableCsvName(t.id);
            std::error_code error;
            if (std::filesystem::is_regular_file(path, error)) {
                files.push_back({path.string(), readText(path.string())});
            }
        }
        if (files.empty()) {
            throw Failure{"no table's CSV file (units.csv, sounds.csv, ...) in " + quoted(*a.csvPath)};
        }
        read.emplace(ReadTableCsvs(files, image.GameVersion()));
    }
    if (!*read) {
        throw Failure{read->error()};
    }
    const PatchPlan plan = PlanTablePatch(image, read->value());
    listRefused(plan, a.csvPath ? *a.csvPath : *a.jsonPath, err, a.csvPath.has_value());
    const std::size_t set = ApplyTablePatch(image, plan, false, "import");
    write(*a.output, image.bytes(), inputs);
    out << set << (set == 1 ? " field set\n" : " fields set\n");
    return kCliOk;
}

int validate(const Args& a, std::ostream& out) {
    expect(a.plain.size() == 1, "validate");
    const ExeImage image = readExe(a.plain[0]);
    const auto strings = gameStrings(a.plain[0]);
    const auto problems = CheckTables(
        image, {orNull(strings), IconSpriteFrames(std::filesystem::path(a.plain[0]).parent_path())});
    if (a.json) {
        out << "[";
        for (std::size_t k = 0; k < problems.size(); ++k) {
            const Problem& p = problems[k];
            out << (k == 0 ? "\n" : ",\n") << "  {\"severity\": " << JsonString(SeverityName(p.severity))
                << ", \"check\": " << JsonString(p.check)
                << ", \"table\": " << JsonString(TableOf(p.field->table).key) << ", \"row\": " << p.row
                << ", \"field\": " << JsonString(p.field->key) << ", \"text\": " << JsonString(p.text) << "}";
        }
        out << "]\n";
    } else {
        for (const Problem& p : problems) {
            out << SeverityName(p.severity) << ": " << p.text << "\n";
        }
        const std::size_t errors = CountOf(problems, Severity::Error);
        const std::size_t warnings = CountOf(problems, Severity::Warning);
        out << errors << (errors == 1 ? " error, " : " errors, ") << warnings
            << (warnings == 1 ? " warning\n" : " warnings\n");
    }
    return CountOf(problems, Severity::Error) > 0 ? kCliBadInput : kCliOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? kCliBadInput : kCliOk;
    }
    const auto help = kHelp.find(args[0]);
    if (help == kHelp.end()) {
        err << "zorbel-cli: unknown command " << quoted(args[0]) << "\n" << kUsage;
        return kCliBadInput;
    }
    if (std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
        out << help->second;
        return kCliOk;
    }
    try {
        const std::string_view command = args[0];
        if (command == "info") {
            return info(parse(args, Takes::Plain), out);
        }
        if (command == "diff") {
            return diff(parse(args, Takes::JsonFlag), out);
        }
        if (command == "make-patch") {
            return makePatch(parse(args, Takes::Output), err);
        }
        if (command == "validate") {
            return validate(parse(args, Takes::JsonFlag), out);
        }
        if (command == "export") {
            return exportTables(parse(args, Takes::Tables), out);
        }
        if (command == "import") {
            return importTables(parse(args, Takes::TablesAndOutput), out, err);
        }
        return apply(parse(args, Takes::Output), out, err);
    } catch (const Failure& f) {
        err << "zorbel-cli: " << f.message << "\n";
        return f.status;
    }
}

}  // namespace zorbel
