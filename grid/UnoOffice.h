// The office link over LibreOffice's UNO API. "Create" starts a private headless office on a pipe
// of its own, under a profile of its own, and ends it at Quit; "attach" joins an office that
// listens on the configured pipe. Built without the office SDK, nothing can be created or attached.
#pragma once

#include "grid/OfficeAutomation.h"

#include <QString>

#include <memory>

// A headless office process listening on a pipe, in a temporary profile; ended when destroyed.
class TOfficeProcess {
public:
    // Starts the office and waits until its pipe answers; null with Error set when it cannot.
    static std::unique_ptr<TOfficeProcess> Start(const QString &PipeName, QString &Error);
    ~TOfficeProcess();
    TOfficeProcess(const TOfficeProcess &) = delete;
    TOfficeProcess &operator=(const TOfficeProcess &) = delete;
    QString PipeName() const;
    bool Running() const;
    // Asks the office to end, waits for it and kills what is left.
    void Terminate();

    struct TImpl;

private:
    explicit TOfficeProcess(std::unique_ptr<TImpl> Impl);
    std::unique_ptr<TImpl> FImpl;
};

class TUnoOffice : public TOfficeLink {
public:
    // PipeName: where a running office listens; empty takes $NOVA_OFFICE_PIPE, else "nova_office".
    explicit TUnoOffice(const QString &PipeName = QString());
    // False when the program was built without the office SDK or the office is not installed.
    static bool Available();
    QString PipeName() const { return FPipeName; }
    // Why the last create or attach gave no server.
    QString LastError() const { return FLastError; }

    std::unique_ptr<ISpreadsheetApp> CreateSpreadsheet() override;
    std::unique_ptr<ISpreadsheetApp> AttachSpreadsheet() override;
    std::unique_ptr<IWordApp> AttachWordProcessor() override;
    std::unique_ptr<IWordApp> CreateWordProcessor() override;

private:
    QString FPipeName;
    QString FLastError;
};
