#include "app/UpdateDevice.h"

#include "app/UBoot.h"
#include "app/services/ULanguage.h"
#include "app/USaveBincc.h"
#include "framework/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

void Update_Device()
{
    // The device must never get an image other than the one of the files
    // as saved now, so a failed write stops the update here.
    Build_Bank_Image();
    QString error;
    if (!Write_Bank_File(&error)) {
        fw::MessageDlg(error, fw::mtError, fw::mbOK);
        return;
    }
    if (!FBoot)
        return;
    FBoot->Form_Type = TFBoot::Form_Type_Ethernet;
    FBoot->ShowModal();
}

fw::RunResult Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo, int waitMs)
{
    (void)tipo;
    const QFileInfo program(NomeSW);
    // The updater finds its parameter file beside itself, so it runs in its own folder.
    const fw::RunResult result = fw::RunAndWait(program.absoluteFilePath(), program.absolutePath(),
                                                QProcess::splitCommand(Parameter), waitMs);
    // The reason comes from the text table, so a language file translates it.
    int reason = 0;
    switch (result.status) {
    case fw::RunStatus::NotFound: reason = 838; break;
    case fw::RunStatus::NotExecutable: reason = 839; break;
    case fw::RunStatus::StartFailed: reason = 840; break;
    case fw::RunStatus::Finished:
    case fw::RunStatus::StillRunning:
        break;
    }
    if (reason != 0)
        fw::MessageDlg(Lang_Text(reason) + QDir::toNativeSeparators(program.absoluteFilePath()), fw::mtError,
                       fw::mbOK);
    return result;
}
