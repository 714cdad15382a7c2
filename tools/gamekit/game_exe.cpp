#include "tools/gamekit/game_exe.h"

#include <algorithm>
#include <optional>
#include <set>
#include <stdexcept>

#include "base/byte_reader.h"
#include "tools/gamekit/fixup_builder.h"
#include "tools/gamekit/kit_tables.h"

namespace gamekit {

using namespace gamekit::tables;
using zorbel::storeU16;
using zorbel::storeU32;

namespace {

constexpr std::uint32_t kLeHeaderSize = 0xC4;
constexpr std::uint32_t kObjectEntrySize = 24;
constexpr std::uint32_t kObjects = 2;
// Resident name table ("WAR2", ordinal 0, end byte) and an empty entry table.
constexpr std::uint8_t kResidentNames[] = {4, 'W', 'A', 'R', '2', 0, 0, 0};
constexpr std::uint8_t kEntryTable[] = {0};

class Builder {
  public:
    Builder(int version, std::uint64_t seed)
        : l_(kLayouts.at(static_cast<std::size_t>(version))), rng_(seed * 31 + version) {
        exe_.version = version;
        const std::uint32_t pages = (l_.FixupRecordTable - l_.FixupPageTable) / 4 - 1;
        exe_.codePages = (l_.DataObjectBase - l_.PageBase) / kPageSize;
        exe_.dataPages = pages - exe_.codePages;
        perPage_.resize(pages);
        extents_ = tableExtents(l_);
    }

    GameExe build() {
        exe_.bytes.assign(l_.PageBase + kPageSize * perPage_.size(), 0);
        for (std::uint32_t at = 0; at < l_.DataObjectBase; ++at) {
            exe_.bytes[at] = rng_.byte();  // stub and code: anything but text
        }
        writeProbes();
        fillPlainTables(exe_.bytes, l_, rng_);
        plantTablePointers();
        plantExtras();
        addFillerRecords();
        shuffleLists();
        writeFixups();
        writeHeaders();
        return std::move(exe_);
    }

  private:
    std::uint32_t codeSize() const { return exe_.codePages * kPageSize; }
    std::uint32_t pageOf(std::uint32_t position) const { return (position - l_.PageBase) / kPageSize; }

    bool inTables(std::uint32_t position, std::uint32_t length) const {
        return std::any_of(extents_.begin(), extents_.end(),
                           [&](const Extent& e) { return position < e.end && e.start < position + length; });
    }

    void writeProbes() {
        for (int b = 0; b < kBuilds; ++b) {
            const std::uint32_t probe = kProbes[static_cast<std::size_t>(b)];
            if (b != exe_.version && probe < exe_.bytes.size()) {
                exe_.bytes[probe] = 0xFF;  // keep other builds' probes from passing by chance
            }
        }
        const std::string text = versionText(exe_.version);
        const std::uint32_t at = kProbes[static_cast<std::size_t>(exe_.version)];
        std::fill_n(exe_.bytes.begin() + at, kProbeLength, 0);
        std::copy(text.begin(), text.end(), exe_.bytes.begin() + at);
    }

    std::uint32_t codeTarget() { return rng_.below(codeSize()) & ~3u; }

    // A pointer relocated by a record of its page (and of the next page when
    // its bytes cross into it). The stored bytes differ from the target, as
    // the loader overwrites them anyway.
    void plant(std::uint32_t position, std::uint16_t object, std::uint32_t target) {
        const std::uint32_t page = pageOf(position);
        const auto inPage = static_cast<std::int16_t>((position - l_.PageBase) % kPageSize);
        perPage_[page].push_back(offset32Record(inPage, object, target));
        if (inPage > static_cast<std::int16_t>(kPageSize - 4)) {
            perPage_[page + 1].push_back(offset32Record(
                static_cast<std::int16_t>(inPage - static_cast<std::int16_t>(kPageSize)), object, target));
        }
        storeU32(exe_.bytes, position, ~target);
        used_.insert(position);
        exe_.pointers.push_back({position, true, target});
    }

    void leaveUnrelocated(std::uint32_t position) {
        storeU32(exe_.bytes, position, 0);
        used_.insert(position);
        exe_.pointers.push_back({position, false, 0});
    }

    void plantTablePointers() {
        const std::uint32_t r = l_.SpellRangeTable;
        for (std::uint32_t i = 0; i < kUnitRecords; ++i) {
            plant(l_.UnitTable + kUnitRecordSize * i + 6, 1, codeTarget());
            plant(l_.UnitTable + kUnitRecordSize * i + 10, 1, codeTarget());
            const std::uint32_t fnz = l_.DeathTable - kFnzOffsetBeforeDeath + 4 * i;
            if (i < 105) {
                plant(fnz, 1, codeTarget());
            } else {
                leaveUnrelocated(fnz);
            }
        }
        for (std::uint32_t u = 0; u < kCommandBarEntries; ++u) {
            const std::uint32_t at = l_.CommandBarTable + kCommandBarEntrySize * u + 2;
            const Bar& bar = kDefaultBars[u];
            if (bar.offset >= 0) {
                plant(at, 2, static_cast<std::uint32_t>(bar.offset) + l_.ButtonTable - l_.DataObjectBase);
            } else if (u == 110) {
                plant(at, 2, 0xFFFFFFFF);  // a real pointer whose target reads as -1
            } else {
                leaveUnrelocated(at);
            }
        }
        for (std::uint32_t i = 0; i < kSoundRows; ++i) {
            plant(l_.ReadySoundTable + kSoundPointerOffset + 4 * i, 1, codeTarget());
            plant(l_.AttackSoundTable + kSoundPointerOffset + 4 * i, 1, codeTarget());
        }
        for (std::uint32_t i = 0; i < kSpells; ++i) {
            const std::uint32_t fna = r - kSpellFnaBeforeRange + 4 * i;
            const std::uint32_t fnb = r - kSpellFnbBeforeRange + 4 * i;
            i % 9 == 4 ? leaveUnrelocated(fna) : plant(fna, 1, codeTarget());
            i % 13 == 7 ? leaveUnrelocated(fnb) : plant(fnb, 1, codeTarget());
            plant(r - kSpellFncBeforeRange + 4 * i, 1, codeTarget());
        }
        for (const Button& button : defaultButtons(l_)) {
            plant(button.record + 4, 1, codeTarget());
            plant(button.record + 8, 1, codeTarget());
        }
    }

    bool overlapsUsed(std::uint32_t at) const {
        auto next = used_.lower_bound(at >= 3 ? at - 3 : 0);
        return next != used_.end() && *next < at + 4;
    }

    // A free position in page `page` for a 4-byte field, away from the tables.
    std::optional<std::uint32_t> freeSpot(std::uint32_t page, std::uint32_t first = 0) {
        const std::uint32_t base = l_.PageBase + kPageSize * page;
        for (int tries = 0; tries < 64; ++tries) {
            const std::uint32_t at = base + first + (rng_.below((kPageSize - first) / 4) * 4);
            if (at + 4 <= base + kPageSize && !inTables(at, 4) && !overlapsUsed(at)) {
                return at;
            }
        }
        return std::nullopt;
    }

    void plantExtras() {
        // A data pointer whose bytes cross from one page into the next, in a
        // part of the data object that holds no table.
        exe_.crossPagePointer = l_.DataObjectBase + kPageSize - 2;
        if (inTables(exe_.crossPagePointer, 4)) {
            throw std::logic_error("cross-page pointer lands in a table");
        }
        plant(exe_.crossPagePointer, 2, 0x1234);
        plant(l_.PageBase + 7 * kPageSize - 1, 1, 0x00023456);  // and one in the code
        exe_.emptyPage = 3;

        // The page of the first FNZ pointer begins with every other kind of
        // record, so that a walk which stops at them misses the table's pointers.
        exe_.mixedPage = pageOf(l_.DeathTable - kFnzOffsetBeforeDeath);
        std::vector<FixupRecord> lead;
        auto spot = [&] {
            auto at = freeSpot(exe_.mixedPage);
            if (!at) {
                throw std::logic_error("no room for the mixed records");
            }
            used_.insert(*at);
            return static_cast<std::int16_t>((*at - l_.PageBase) % kPageSize);
        };
        FixupRecord selector;
        selector.sourceType = 0x02;
        selector.sourceOffset = spot();
        selector.object = 2;
        lead.push_back(selector);
        FixupRecord wideObject = offset32Record(spot(), 2, 0x0400);
        wideObject.targetFlags |= 0x40;
        lead.push_back(wideObject);
        FixupRecord additive = offset32Record(spot(), 1, 0x00031000);
        additive.targetFlags |= 0x04 | 0x20;
        additive.additive = 0x10;
        lead.push_back(additive);
        FixupRecord list;
        list.sourceType = 0x27;
        list.targetFlags = 0x10;
        list.object = 2;
        list.target = 0x00010020;
        list.sourceList = {spot(), spot(), spot()};
        lead.push_back(list);
        FixupRecord farPointer = offset32Record(spot(), 1, 0x2000);
        farPointer.sourceType = 0x06;
        lead.push_back(farPointer);
        leadCount_ = lead.size();
        perPage_[exe_.mixedPage].insert(perPage_[exe_.mixedPage].begin(), lead.begin(), lead.end());
    }

    // Records for the rest of the code and data, about as dense as the
    // game's, so that lookups walk realistic lists.
    void addFillerRecords() {
        std::size_t planted = 0;
        for (const auto& page : perPage_) {
            for (const auto& record : page) {
                planted += encodeRecord(record).size();
            }
        }
        const std::size_t room = l_.PageBase - l_.FixupRecordTable - 64;
        const std::size_t perPage = (room - planted) / perPage_.size() / 10;
        for (std::uint32_t page = 0; page < perPage_.size(); ++page) {
            if (page == exe_.emptyPage) {
                continue;
            }
            for (std::size_t n = 0; n < perPage; ++n) {
                auto at = freeSpot(page);
                if (!at) {
                    continue;
                }
                used_.insert(*at);
                const auto inPage = static_cast<std::int16_t>((*at - l_.PageBase) % kPageSize);
                if (rng_.below(20) == 0) {
                    FixupRecord selector;
                    selector.sourceType = 0x02;
                    selector.sourceOffset = inPage;
                    selector.object = 2;
                    perPage_[page].push_back(selector);
                } else {
                    const bool toData = rng_.below(3) == 0;
                    perPage_[page].push_back(
                        offset32Record(inPage, toData ? 2 : 1,
                                       toData ? rng_.below(exe_.dataPages * kPageSize) : codeTarget()));
                }
            }
        }
    }

    void shuffleLists() {
        for (std::uint32_t page = 0; page < perPage_.size(); ++page) {
            auto& list = perPage_[page];
            const std::size_t keep = page == exe_.mixedPage ? leadCount_ : 0;
            for (std::size_t i = list.size(); i > keep + 1; --i) {
                std::swap(list[i - 1], list[keep + rng_.below(static_cast<std::uint32_t>(i - keep))]);
            }
        }
    }

    void writeFixups() {
        section_ = buildFixupSection(perPage_);
        if (l_.FixupRecordTable + section_.records.size() > l_.PageBase) {
            throw std::logic_error("fixup records do not fit before the first page");
        }
        std::copy(section_.pageTable.begin(), section_.pageTable.end(),
                  exe_.bytes.begin() + l_.FixupPageTable);
        std::copy(section_.records.begin(), section_.records.end(), exe_.bytes.begin() + l_.FixupRecordTable);
        std::fill(
            exe_.bytes.begin() + l_.FixupRecordTable + static_cast<std::ptrdiff_t>(section_.records.size()),
            exe_.bytes.begin() + l_.PageBase, 0);
    }

    void put32(std::uint32_t at, std::uint32_t v) { storeU32(exe_.bytes, at, v); }

    void writeHeaders() {
        const auto pages = static_cast<std::uint32_t>(perPage_.size());
        const std::uint32_t loaderSize = kLeHeaderSize + kObjects * kObjectEntrySize + 4 * pages +
                                         sizeof kResidentNames + sizeof kEntryTable;
        const std::uint32_t h = l_.FixupPageTable - loaderSize;
        exe_.leHeader = h;
        auto& b = exe_.bytes;
        std::fill(b.begin() + h, b.begin() + l_.FixupPageTable, 0);

        // MZ stub header: the DOS program stands for the extender; e_lfanew
        // points at the LE header.
        std::fill_n(b.begin(), 0x40, 0);
        b[0] = 'M';
        b[1] = 'Z';
        storeU16(b, 0x02, static_cast<std::uint16_t>(h % 512));
        storeU16(b, 0x04, static_cast<std::uint16_t>((h + 511) / 512));
        storeU16(b, 0x08, 4);       // header paragraphs
        storeU16(b, 0x0A, 0x10);    // minimum extra paragraphs
        storeU16(b, 0x0C, 0xFFFF);  // maximum extra paragraphs
        storeU16(b, 0x10, 0x200);   // initial SP
        storeU16(b, 0x18, 0x40);    // relocation table offset
        put32(0x3C, h);

        b[h] = 'L';
        b[h + 1] = 'E';
        storeU16(b, h + 0x08, 2);  // 386
        storeU16(b, h + 0x0A, 1);
        put32(h + 0x10, 0x200);
        put32(h + 0x14, pages);
        put32(h + 0x18, 1);  // start object
        put32(h + 0x1C, 0x100);
        put32(h + 0x20, 2);  // stack object
        put32(h + 0x24, exe_.dataPages * kPageSize);
        put32(h + 0x28, kPageSize);
        put32(h + 0x2C, kPageSize);  // every page is full
        const auto fixupSize =
            static_cast<std::uint32_t>(l_.FixupRecordTable - l_.FixupPageTable + section_.records.size());
        put32(h + 0x30, fixupSize);
        put32(h + 0x38, loaderSize - kLeHeaderSize);
        put32(h + 0x40, kLeHeaderSize);
        put32(h + 0x44, kObjects);
        const std::uint32_t pageMap = kLeHeaderSize + kObjects * kObjectEntrySize;
        put32(h + 0x48, pageMap);
        const std::uint32_t names = pageMap + 4 * pages;
        put32(h + 0x58, names);
        put32(h + 0x5C, names + sizeof kResidentNames);
        put32(h + 0x68, l_.FixupPageTable - h);
        put32(h + 0x6C, l_.FixupRecordTable - h);
        const std::uint32_t imports =
            l_.FixupRecordTable + static_cast<std::uint32_t>(section_.records.size()) - h;
        put32(h + 0x70, imports);
        put32(h + 0x78, imports);
        put32(h + 0x80, l_.PageBase);  // data pages: from the start of the file
        put32(h + 0x94, 2);

        // Object table: code, then data.
        const std::uint32_t codeBase = 0x10000;
        const std::uint32_t dataBase = codeBase + ((codeSize() + 0xFFFF) & ~0xFFFFu);
        const std::uint32_t objects[kObjects][5] = {
            {codeSize(), codeBase, 0x2045, 1, exe_.codePages},
            {exe_.dataPages * kPageSize + 0x8000, dataBase, 0x2043, exe_.codePages + 1, exe_.dataPages},
        };
        for (std::uint32_t o = 0; o < kObjects; ++o) {
            for (std::uint32_t f = 0; f < 5; ++f) {
                put32(h + kLeHeaderSize + kObjectEntrySize * o + 4 * f, objects[o][f]);
            }
        }
        // Page map: 24-bit page numbers, high byte first, then flags.
        for (std::uint32_t p = 0; p < pages; ++p) {
            const std::uint32_t n = p + 1;
            const std::uint32_t at = h + pageMap + 4 * p;
            b[at] = static_cast<std::uint8_t>(n >> 16);
            b[at + 1] = static_cast<std::uint8_t>(n >> 8);
            b[at + 2] = static_cast<std::uint8_t>(n);
            b[at + 3] = 0;
        }
        std::copy(std::begin(kResidentNames), std::end(kResidentNames), b.begin() + h + names);
        std::copy(std::begin(kEntryTable), std::end(kEntryTable),
                  b.begin() + h + names + sizeof kResidentNames);
    }

    const Layout& l_;
    Random rng_;
    GameExe exe_;
    std::vector<std::vector<FixupRecord>> perPage_;
    std::vector<Extent> extents_;
    std::set<std::uint32_t> used_;
    std::size_t leadCount_ = 0;
    FixupSection section_;
};

}  // namespace

const PlantedPointer* GameExe::pointerAt(std::uint32_t position) const {
    for (const auto& p : pointers) {
        if (p.position == position) {
            return &p;
        }
    }
    return nullptr;
}

std::string versionText(int version) {
    return "WarCraft II demo executable, build " + std::to_string(version) +
           " (synthetic test data; contains no game code)";
}

GameExe buildGameExe(int version, std::uint64_t seed) {
    if (version < 0 || version >= kBuilds) {
        throw std::invalid_argument("no such build");
    }
    return Builder(version, seed).build();
}

}  // namespace gamekit
