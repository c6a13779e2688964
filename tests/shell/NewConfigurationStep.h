#pragma once
// The main window's New Configuration step, answered with a name.
#include "shell/UDovavivuvFirmWare.h"
#include "shell/UNew_Project.h"
#include "support/TestSupport.h"

inline void createConfiguration(const QString &name)
{
    testsupport::ModalResponder responder;
    responder.then([name](QWidget *d) {
        auto *dlg = qobject_cast<TFNew_Project *>(d);
        ASSERT_NE(dlg, nullptr);
        dlg->E_New_Proj->setText(name);
        dlg->Btn_OK->click();
    });
    FDovavivuvFirmWare->Btn_New->click();
    EXPECT_TRUE(responder.texts().isEmpty()) << responder.texts().join('\n').toStdString();
}
