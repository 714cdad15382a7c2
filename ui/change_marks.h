#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "tables/compare.h"

namespace zorbel {

// What the pages mark of a comparison: each changed field of a record with
// the reference's value, and each record that has a change.
struct ChangeMarks {
    QString reference;  // the reference's file name, for "was 12 in WAR2.EXE"
    std::map<std::pair<const FieldDef*, std::int64_t>, std::string> was;
    std::set<std::pair<TableId, std::int64_t>> records;

    // Only the changes that compare: a pointer against another build is no
    // change of the user's.
    static ChangeMarks Of(const Comparison& comparison, const QString& reference) {
        ChangeMarks marks;
        marks.reference = reference;
        for (const FieldChange& c : comparison.fields) {
            if (c.comparable) {
                marks.was.emplace(std::pair{c.field, c.row}, ValueText(c.was));
                marks.records.emplace(c.field->table, c.row);
            }
        }
        return marks;
    }
};

}  // namespace zorbel
