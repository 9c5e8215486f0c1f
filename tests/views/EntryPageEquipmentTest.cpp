#include <gtest/gtest.h>

#include "support/DocFixture.h"
#include "views/EntryPage.h"

namespace kivrun {
namespace {

using EntryPageEquipmentTest = test::DocFixture;

TEST_F(EntryPageEquipmentTest, TheNotesBoxEndsWithTheWorkoutsEquipment) {
    EquipmentItem shoes;
    shoes.name = "Trail";
    shoes.kind = "shoes";
    WorkingEntry run = test::Entry(3, 2, 2026, "R");
    run.notes = "Hills";
    run.equipment = {doc->AddEquipment(shoes, nullptr)};
    const RowId with = doc->AddEntry(run, nullptr);
    run.equipment.clear();
    const RowId without = doc->AddEntry(run, nullptr);
    EXPECT_EQ(EntryPageContent::Read(*doc, with).fields[kFieldNotes].value,
              "Hills\n\nEquipment: Trail");
    EXPECT_EQ(EntryPageContent::Read(*doc, without).fields[kFieldNotes].value, "Hills");
}

}  // namespace
}  // namespace kivrun
