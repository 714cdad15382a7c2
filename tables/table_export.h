#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/result.h"
#include "tables/table_patch.h"

namespace zorbel {

// Whole tables as text for spreadsheets and scripts.
//
// CSV, one table a file ("units.csv"): a header row of the table key and
// its build ("units build 2"), "row_name", then the field keys; a line per
// row with its row number (a button's BarOffset), its name and its values.
//
// JSON, every table in one file:
//   {"format": "zorbel tables 1", "build": 2,
//    "tables": {"units": [{"row": 0, "row_name": "0. Footman", "icon": 0, ...}, ...], ...}}
//
// A value is a number; "none" (a pointer without a fixup record) and "-"
// (a row the field does not have in the image) are written but never set.
// Reading gives a table patch without old values, so that it sets every
// value that differs and never conflicts, made on the build the file names
// (or on `build` when it names none); cross-build pointers are then refused
// as a patch's are.

struct NamedText {
    std::string name;  // "units.csv"
    std::string text;
};

std::string TableCsvName(TableId table);
std::string WriteTableCsv(const ExeImage& image, TableId table, const std::vector<std::string>* strings);
// Every table, one file each.
std::vector<NamedText> WriteTableCsvs(const ExeImage& image, const std::vector<std::string>* strings);
std::string WriteTablesJson(const ExeImage& image, const std::vector<std::string>* strings);

// Strict, as the table patch reader: an unknown table, column, field or
// row, a value that does not fit, a row or table given twice, a cell count
// that differs from the header's: "NAME:LINE: reason", and nothing read.
Result<TablePatch> ReadTableCsv(std::string_view text, std::string_view fileName, std::int32_t build);
// Several CSV files as one patch; they must name one build.
Result<TablePatch> ReadTableCsvs(const std::vector<NamedText>& files, std::int32_t build);
Result<TablePatch> ReadTablesJson(std::string_view text, std::string_view fileName, std::int32_t build);

}  // namespace zorbel
