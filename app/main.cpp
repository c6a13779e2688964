#include "dropdown/GridDropDownEditors.h"
#include "grid/UnoOffice.h"
#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The grids exchange cells with the office through its UNO link.
    SetDefaultOfficeLink(std::make_unique<TUnoOffice>());
    // The grids' drop-down cell editors, before the first grid is made.
    RegisterGridDropDownEditors();
    int result = 0;
    {
        // Every window once, in the fixed order; the main window's creation is the start-up sequence.
        TProgramWindows windows(QCoreApplication::applicationDirPath());
        FDovavivuvFirmWare->show();
        result = QApplication::exec();
    }
    return result;
}
