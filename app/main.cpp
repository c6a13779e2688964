#include "shell/UComon.h"
#include "shell/UDovavivuvFirmWare.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int result = 0;
    {
        // Every window once, in the fixed order; the main window's creation is the start-up sequence.
        TProgramWindows windows(QCoreApplication::applicationDirPath());
        FDovavivuvFirmWare->show();
        result = QApplication::exec();
    }
    return result;
}
