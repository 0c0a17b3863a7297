#include "platform/services.h"

namespace velm {

namespace {

class NoDialogs : public Dialogs {
public:
    int MessageBox(const std::string&, int style, const std::string&) override {
        // Nobody to ask: the cautious answer of the buttons offered.
        return (style & 7) == MbYesNo ? IdNo : (style & 7) == MbOkCancel ? IdCancel : IdOk;
    }
    FileDialogResult ShowOpen(const FileDialogRequest&) override { return {}; }
    FileDialogResult ShowSave(const FileDialogRequest&) override { return {}; }
    bool ShowPrinterSetup() override { return false; }
    PrintRange ShowPrint(int, int, const std::string&) override { return {}; }
};

class NoSettings : public SettingsStore {
public:
    std::string GetSetting(const std::string&, const std::string&, const std::string&,
                           const std::string& fallback) const override {
        return fallback;
    }
    void SaveSetting(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    void DeleteSetting(const std::string&, const std::string&, const std::string&) override {}
};

class NoHelp : public Help {
public:
    void ShowContents(const std::string&) override {}
    void ShowSearch(const std::string&, const std::string&) override {}
    void ShowTopic(const std::string&, int) override {}
};

class NoProcesses : public Processes {
public:
    ProcessOutcome RunAndWait(const std::string&, const std::vector<std::string>&, const std::string&,
                              const std::string&) override {
        return {};
    }
    bool Waiting() const override { return false; }
    bool StartHidden(const std::string&, const std::vector<std::string>&, const std::string&) override { return false; }
};

class NoPage : public PrinterPage {
public:
    int PixelWidth() const override { return 0; }
    int PixelHeight() const override { return 0; }

protected:
    double DotsPerInchX() const override { return 254; }
    double DotsPerInchY() const override { return 254; }
    void DeviceLine(double, double, double, double, Colour) override {}
    void DeviceArc(double, double, double, double, Colour, double, double, bool) override {}
    void DeviceText(double, double, const std::string&) override {}
    double DeviceTextWidth(const std::string&) const override { return 0; }
    double DeviceTextHeight(const std::string&) const override { return 0; }
};

// No printer answers.
class NoPrinter : public Printer {
public:
    bool Available() override { return false; }
    PageSize PageMillimetres() override { return {}; }
    PageOrientation Orientation() override { return PagePortrait; }
    PrinterPage& Page() override { return page_; }
    void NewPage() override {}
    DocumentResult EndDocument() override { return DocumentResult::Failed; }
    bool PrintsToFile() override { return false; }
    void NumberDocuments(const std::string&) override {}

private:
    NoPage page_;
};

class NoLook : public Look {
public:
    void SetHourglass() override {}
    void ClearHourglass() override {}
    void Beep() override {}
};

}  // namespace

Services::Services() { Reset(); }

void Services::Reset() {
    static NoDialogs noDialogs;
    static NoSettings noSettings;
    static NoHelp noHelp;
    static NoProcesses noProcesses;
    static NoPrinter noPrinter;
    static NoLook noLook;
    dialogs = &noDialogs;
    settings = &noSettings;
    help = &noHelp;
    processes = &noProcesses;
    printer = &noPrinter;
    look = &noLook;
}

Services& Platform() {
    static Services services;
    return services;
}

}  // namespace velm
