#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "document/TamselDoc.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "support/DocFixture.h"
#include "support/TestLog.h"
#include "values/Calendar.h"
#include "values/ProgramState.h"

namespace kivrun::test {

// A scratch folder, a scripted user and a document, with today pinned to 6 December 2026.
class OldLogFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramState::Instance().Reset();
        calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 6});
        doc = std::make_unique<CTamselDoc>(ui);
        doc->SetBackupFolder(dir.File("Backup Logs"));
        doc->AddView(&view);
    }
    void TearDown() override {
        doc.reset();
        calendar::SetTodayForTesting(std::nullopt);
        ProgramState::Instance().Reset();
    }

    // Writes the text as log.tlg and opens it, answering Yes to converting it.
    bool Convert(const std::string& text, const std::string& name = "log.tlg") {
        WriteBytes(dir.File(name), text);
        ui.answers = {true};
        return doc->OnOpenDocument(dir.File(name));
    }

    // The first column of the first row, as text.
    std::string Q(const std::string& sql) {
        Statement s = doc->Database().sql().Prepare(sql);
        return s.Step() ? s.Text(0) : std::string("(none)");
    }
    // Every row, columns joined by "|", rows by ";".
    std::string Rows(const std::string& sql) { return test::QueryRows(doc->Database(), sql); }

    TempDir dir;
    ScriptedUi ui;
    RecordingView view;
    std::unique_ptr<CTamselDoc> doc;
};

}  // namespace kivrun::test
