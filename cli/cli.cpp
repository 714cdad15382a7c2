#include "cli/cli.h"

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>

#include "exe/exe_file.h"
#include "tables/compare.h"
#include "tables/row_names.h"
#include "tables/table_patch.h"

namespace zorbel {

namespace {

constexpr const char* kUsage =
    "usage: zorbel-cli COMMAND ...\n"
    "  info EXE                                  the build, the size and the tables\n"
    "  diff CLEAN MODIFIED [--json]              the fields that differ\n"
    "  make-patch CLEAN MODIFIED -o PATCH        those fields as a table patch\n"
    "  apply PATCH [PATCH ...] EXE -o OUT        the patches applied in order\n"
    "zorbel-cli COMMAND --help says more of each. Exit status: 0 done, 1 bad usage or\n"
    "input, 3 conflicts (nothing written).\n";

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

TablePatch readPatch(const std::string& path) {
    auto bytes = readWholeFile(path, 64ull << 20);
    if (!bytes) {
        throw Failure{"cannot read " + quoted(path) + ": " + bytes.error()};
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.value().data()), bytes.value().size());
    auto patch = ReadTablePatch(text, path);
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
};

Args parse(const std::vector<std::string>& args, bool takesOutput, bool takesJson) {
    Args out;
    for (std::size_t k = 1; k < args.size(); ++k) {
        if (takesOutput && args[k] == "-o") {
            if (k + 1 == args.size() || out.output) {
                throw Failure{"-o takes one file"};
            }
            out.output = args[++k];
        } else if (takesJson && args[k] == "--json") {
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

std::string jsonText(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c >= 0x7F) {
            // Game text is Windows-1252; its bytes are kept as Latin-1 code points.
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    return out + "\"";
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
    if (!a.json) {
        for (const FieldChange& f : c.fields) {
            out << ChangeText(f, nullptr) << "\n";
        }
        for (const ByteRange& r : c.outside) {
            out << OutsideText(r) << "\n";
        }
        return kCliOk;
    }
    out << "{\"fields\": [";
    for (std::size_t k = 0; k < c.fields.size(); ++k) {
        const FieldChange& f = c.fields[k];
        out << (k == 0 ? "\n" : ",\n") << "  {\"table\": " << jsonText(TableOf(f.field->table).key)
            << ", \"row\": " << f.row << ", \"field\": " << jsonText(f.field->key)
            << ", \"name\": " << jsonText(RowName(f.field->table, f.row, nullptr))
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
    const std::string text = WriteTablePatch(MakeTablePatch(clean, c), nullptr);
    write(*a.output, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), a.plain);
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

int apply(const Args& a, std::ostream& out, std::ostream& err) {
    expect(a.plain.size() >= 2 && a.output.has_value(), "apply");
    checkOutput(*a.output, a.plain);
    const std::vector<std::string> patchPaths(a.plain.begin(), a.plain.end() - 1);
    std::vector<TablePatch> patches;
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
        for (const PatchRefusal& r : plan.refused) {
            err << "zorbel-cli: " << patchPaths[p] << ":" << r.entry.line
                << ": not applied: " << RefusedText(r, nullptr) << "\n";
        }
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
            return info(parse(args, false, false), out);
        }
        if (command == "diff") {
            return diff(parse(args, false, true), out);
        }
        if (command == "make-patch") {
            return makePatch(parse(args, true, false), err);
        }
        return apply(parse(args, true, false), out, err);
    } catch (const Failure& f) {
        err << "zorbel-cli: " << f.message << "\n";
        return f.status;
    }
}

}  // namespace zorbel
