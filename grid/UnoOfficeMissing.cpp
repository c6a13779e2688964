// Built without the office SDK: no office can be started or joined, and the exchange says so.
#include "grid/UnoOffice.h"

struct TOfficeProcess::TImpl {};

TOfficeProcess::TOfficeProcess(std::unique_ptr<TImpl> Impl) : FImpl(std::move(Impl)) {}
TOfficeProcess::~TOfficeProcess() = default;
QString TOfficeProcess::PipeName() const { return QString(); }
bool TOfficeProcess::Running() const { return false; }
void TOfficeProcess::Terminate() {}

std::unique_ptr<TOfficeProcess> TOfficeProcess::Start(const QString &, QString &Error)
{
    Error = QStringLiteral("office not available");
    return nullptr;
}

TUnoOffice::TUnoOffice(const QString &PipeName) : FPipeName(PipeName) {}

bool TUnoOffice::Available() { return false; }

std::unique_ptr<ISpreadsheetApp> TUnoOffice::CreateSpreadsheet()
{
    FLastError = QStringLiteral("office not available");
    return nullptr;
}

std::unique_ptr<ISpreadsheetApp> TUnoOffice::AttachSpreadsheet() { return CreateSpreadsheet(); }

std::unique_ptr<IWordApp> TUnoOffice::AttachWordProcessor()
{
    FLastError = QStringLiteral("office not available");
    return nullptr;
}

std::unique_ptr<IWordApp> TUnoOffice::CreateWordProcessor() { return AttachWordProcessor(); }
