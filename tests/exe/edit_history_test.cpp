// The edit history and the "modified" state of the image.
#include <gtest/gtest.h>

#include "exe/exe_image.h"
#include "tests/support/kit_image.h"
#include "tests/support/le_reader.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

using Piece = std::tuple<std::size_t, Bytes, Bytes>;  // offset, before, after
std::vector<Piece> runs(const ChangeSet& set) {
    std::vector<Piece> out;
    for (const ByteRun& r : set.runs()) {
        out.emplace_back(r.offset, r.before, r.after);
    }
    return out;
}

TEST(ChangeSet, BytesKeepTheirFirstBeforeAndLastAfter) {
    ChangeSet set;
    set.add(10, Bytes{1, 2}, Bytes{5, 6});
    set.add(20, Bytes{9}, Bytes{8});
    // Overlaps the first run and reaches the gap up to the second: one run.
    set.add(11, Bytes{6, 3, 4, 0, 0, 0, 0, 0, 0}, Bytes{7, 7, 7, 7, 7, 7, 7, 7, 7});
    EXPECT_EQ(
        runs(set),
        (std::vector<Piece>{{10, {1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 9}, {5, 7, 7, 7, 7, 7, 7, 7, 7, 7, 8}}}));
    EXPECT_EQ(set.recordedBytes(), 22u);
    // A run that only touches the end joins it; one before it stays apart.
    set.add(21, Bytes{4}, Bytes{5});
    set.add(2, Bytes{1}, Bytes{2});
    ASSERT_EQ(set.runs().size(), 2u);
    EXPECT_EQ(set.runs()[0].offset, 2u);
    EXPECT_EQ(set.runs()[1].after.size(), 12u);
    // Bytes written back to what they were go on trimming, splitting the run.
    set.add(12, Bytes{7, 7}, Bytes{3, 4});
    set.trim();
    EXPECT_EQ(runs(set), (std::vector<Piece>{{2, {1}, {2}},
                                             {10, {1, 2}, {5, 7}},
                                             {14, {0, 0, 0, 0, 0, 0, 9, 4}, {7, 7, 7, 7, 7, 7, 8, 5}}}));
    EXPECT_EQ(set.recordedBytes(), 22u);
    ChangeSet later;
    later.add(10, Bytes{5, 7}, Bytes{1, 2});
    set.add(later);
    set.trim();
    EXPECT_EQ(set.runs().size(), 2u);
    EXPECT_EQ(set.runs()[1].offset, 14u);
}

TEST(RangeSet, JoinsAndSplits) {
    RangeSet set;
    set.insert(10, 20);
    set.insert(20, 25);  // touching: joined
    set.insert(30, 40);
    EXPECT_EQ(set.ranges(), (std::map<std::size_t, std::size_t>{{10, 25}, {30, 40}}));
    set.erase(12, 14);
    set.erase(24, 31);
    EXPECT_EQ(set.ranges(), (std::map<std::size_t, std::size_t>{{10, 12}, {14, 24}, {31, 40}}));
    EXPECT_EQ((std::vector<bool>{set.contains(9), set.contains(10), set.contains(12), set.contains(39),
                                 set.contains(40)}),
              (std::vector<bool>{false, true, false, true, false}));
    set.insert(5, 35);
    EXPECT_EQ(set.ranges(), (std::map<std::size_t, std::size_t>{{5, 40}}));
    set.erase(0, 100);
    EXPECT_TRUE(set.empty());
    set.insert(10, 20);
    set.insert(5, 10);  // ends where the next begins
    EXPECT_EQ(set.ranges(), (std::map<std::size_t, std::size_t>{{5, 20}}));
}

EditStep step(std::string field, bool mergeable, std::size_t at, std::uint8_t from, std::uint8_t to,
              std::int64_t row = 3) {
    EditStep s;
    s.label = field;
    s.key = {"units", row, std::move(field)};
    s.mergeable = mergeable;
    s.changes.add(at, Bytes{from}, Bytes{to});
    return s;
}

TEST(EditHistory, MergesKeystrokesOfOneFieldOnly) {
    EditHistory h;
    h.push(step("icon", true, 0, 1, 2));
    h.push(step("icon", true, 0, 2, 3));
    EXPECT_EQ(h.undoCount(), 1u) << "same field, typing: one step";
    h.push(step("icon", true, 14, 0, 1, 4));
    EXPECT_EQ(h.undoCount(), 2u) << "the same field of another row";
    h.seal();
    h.push(step("name", true, 4, 0, 1));
    h.push(step("name", false, 4, 1, 2));
    EXPECT_EQ(h.undoCount(), 4u) << "another field, then a pick: steps of their own";
    h.push(step("name", true, 4, 2, 3));
    h.push(step("name", true, 4, 3, 4));
    EXPECT_EQ(h.undoCount(), 5u) << "typing after a pick starts a step and merges on";
    h.seal();
    h.push(step("name", true, 4, 4, 5));
    EXPECT_EQ(h.undoCount(), 6u) << "sealed";
    // Typing back to where the step began leaves nothing: the step goes.
    h.push(step("name", true, 4, 5, 4));
    // Five steps of a byte each.
    EXPECT_EQ(std::tuple(h.undoCount(), h.nextUndo()->changes.runs()[0].after,
                         h.nextUndo()->changes.runs()[0].before, h.recordedBytes()),
              std::tuple(5u, Bytes{4}, Bytes{2}, 10u));
}

TEST(EditHistory, RedoIsClearedOnlyByARealChange) {
    EditHistory h;
    h.push(step("icon", false, 0, 1, 2));
    h.push(step("aux", false, 2, 1, 2));
    h.stepBack();
    EXPECT_EQ(h.redoCount(), 1u);
    h.push(step("name", false, 4, 7, 7));  // changes no byte
    EXPECT_EQ(std::tuple(h.redoCount(), h.undoCount()), std::tuple(1u, 1u));
    h.push(step("icon", true, 0, 2, 3));
    // No merge across an undo, and the step redo held is gone.
    EXPECT_EQ(std::tuple(h.redoCount(), h.undoCount(), h.recordedBytes()), std::tuple(0u, 2u, 4u));
}

TEST(EditHistory, TheOldestStepsGoFirst) {
    EditHistory h;
    h.setLimits(3, 1000);
    for (std::uint8_t k = 0; k < 5; ++k) {
        h.push(step("icon", false, k, 0, 1));
    }
    EXPECT_EQ(h.undoCount(), 3u);
    EXPECT_EQ(h.recordedBytes(), 6u);
    for (int k = 0; k < 3; ++k) {
        h.stepBack();
    }
    EXPECT_EQ(h.nextRedo()->changes.runs()[0].offset, 2u) << "steps 0 and 1 went";
    h.setLimits(10, 4);
    for (int k = 0; k < 3; ++k) {
        h.stepForward();
    }
    h.push(step("icon", false, 9, 0, 1));
    EXPECT_EQ(h.undoCount(), 2u) << "4 bytes of two steps fit in 4";
    EditStep big;
    big.changes.add(100, Bytes(40, 0), Bytes(40, 1));
    h.push(std::move(big));
    EXPECT_EQ(h.undoCount(), 1u) << "the newest stays, however big";
}

class ImageHistory : public ::testing::Test {
  protected:
    void SetUp() override {
        game = gamekit::buildGameExe(3);
        image.hold(game.bytes, 3, "x.exe");
    }
    // Another value than the byte the kit put there.
    void flip(std::size_t at) { image.writeU8(at, static_cast<std::uint8_t>(game.bytes[at] ^ 0xFF)); }
    gamekit::GameExe game;
    ExeImage image;
};

TEST_F(ImageHistory, ModifiedIsWhetherTheBytesDiffer) {
    const Bytes opened = game.bytes;
    EXPECT_FALSE(image.modified());
    flip(0x1000);
    EXPECT_TRUE(image.modified());
    image.write(0x1000, ByteView(opened).subspan(0x1000, 1));
    EXPECT_FALSE(image.modified()) << "written back";
    EXPECT_EQ(image.history().undoCount(), 2u);

    flip(0x2000);
    image.markSaved();
    EXPECT_FALSE(image.modified());
    image.undo();
    EXPECT_TRUE(image.modified()) << "undone past the save";
    EXPECT_EQ(image.unsavedRanges().ranges(), (std::map<std::size_t, std::size_t>{{0x2000, 0x2001}}));
    image.redo();
    EXPECT_FALSE(image.modified()) << "redone to the saved bytes";
    image.undo();
    image.undo();
    image.undo();
    EXPECT_TRUE(testsupport::holds(image, opened) && image.modified())
        << "the opened bytes are no longer the saved ones";
    EXPECT_FALSE(image.undo());

    const auto revision = image.revision();
    image.write(0x3000, ByteView(opened).subspan(0x3000, 4));
    // A write that changes nothing is no change, and keeps what can be redone.
    EXPECT_EQ(std::tuple(image.revision(), image.history().redoCount()), std::tuple(revision, 3u));
}

TEST_F(ImageHistory, ScopesMakeOneStepAndNestedOnesJoin) {
    const Bytes opened = game.bytes;
    {
        const EditScope outer(image, "Icon of 3. Peon", {"units", 3, "icon"});
        flip(0x100);
        {
            const EditScope inner(image, "inner");
            flip(0x200);
        }
        flip(0x300);
    }
    ASSERT_EQ(image.history().undoCount(), 1u);
    EXPECT_EQ(
        std::tuple(image.history().nextUndo()->label, image.history().nextUndo()->changes.runs().size()),
        std::tuple("Icon of 3. Peon", 3u));
    EXPECT_EQ(image.undo()->field, "icon");
    EXPECT_TRUE(testsupport::holds(image, opened));
    // Without a scope every write is a step of its own.
    flip(0x100);
    flip(0x200);
    EXPECT_EQ(std::tuple(image.history().undoCount(), image.history().redoCount()), std::tuple(2u, 0u));
    const EditScope open(image, "open");
    EXPECT_FALSE(image.undo()) << "not while a step is open";
}

TEST_F(ImageHistory, APointerAcrossAPageIsOneStepWithBothRecords) {
    const std::uint32_t position = game.crossPagePointer;
    std::vector<std::size_t> fields;
    const auto module = testsupport::readLeModule(game.bytes);
    for (const auto* r : module.pointerRecords(position)) {
        fields.push_back(r->targetField);
    }
    ASSERT_EQ(fields.size(), 2u);
    const Bytes opened = game.bytes;
    image.WriteExePointer(position, 0x4321);
    ASSERT_EQ(image.history().undoCount(), 1u);
    const auto& changed = image.history().nextUndo()->changes.runs();
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(std::tuple(changed[0].offset, changed[1].offset, changed[0].after[0]),
              std::tuple(std::min(fields[0], fields[1]), std::max(fields[0], fields[1]), 0x21));
    image.undo();
    EXPECT_TRUE(testsupport::holds(image, opened));
    EXPECT_EQ(image.readPointer(position).target, 0x1234) << "the index follows the undone record";
}

TEST_F(ImageHistory, ASaveSealsTheStepAndOpenAndCloseStartAfresh) {
    for (std::size_t at : {0x100, 0x101}) {  // typing into one field, saved in between
        {
            const EditScope typing(image, "Icon of 3. Peon", {"units", 3, "icon"}, true);
            flip(at);
        }
        image.markSaved();
    }
    EXPECT_EQ(image.history().undoCount(), 2u) << "kept across a save, and not merged over it";
    image.hold(game.bytes, 3, "y.exe");
    EXPECT_EQ(image.history().undoCount(), 0u);
    flip(0x100);
    image.undo();
    image.release();
    EXPECT_EQ(image.history().redoCount(), 0u);
    EXPECT_FALSE(image.modified());
}

}  // namespace
}  // namespace zorbel
