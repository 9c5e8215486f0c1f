#pragma once

#include <string>

#include "store/Database.h"
#include "support/DocFixture.h"

namespace kivrun::test {

// A document with no log open, for the text logs of the previous version.
class OldLogFixture : public DocumentFixture {
  protected:
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
};

}  // namespace kivrun::test
