#pragma once

#include <memory>
#include <string>

#include "LargeLog.h"
#include "document/TamselDoc.h"

namespace kivrun::bench {

constexpr int kEntries = 100000;

// Says Yes to every question: deleting asks first.
class YesUserInterface : public SilentUserInterface {
  public:
    bool AskYesNo(const std::string&) override { return true; }
};

// The large log open in a document.
struct OpenLog {
    YesUserInterface ui;
    std::unique_ptr<CTamselDoc> doc;
    explicit OpenLog(const std::string& path = LargeLog(kEntries))
        : doc(std::make_unique<CTamselDoc>(ui)) {
        doc->OnOpenDocument(path);
    }
};

}  // namespace kivrun::bench
