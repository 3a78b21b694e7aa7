#include "app/UpdateDevice.h"

#include "app/UBoot.h"
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
    const QString name = QDir::toNativeSeparators(program.absoluteFilePath());
    switch (result.status) {
    case fw::RunStatus::NotFound:
        fw::MessageDlg(QStringLiteral("The program \"%1\" was not found.").arg(name), fw::mtError, fw::mbOK);
        break;
    case fw::RunStatus::NotExecutable:
        fw::MessageDlg(QStringLiteral("The program \"%1\" cannot be run: it is not an executable program.").arg(name),
                       fw::mtError, fw::mbOK);
        break;
    case fw::RunStatus::StartFailed:
        fw::MessageDlg(QStringLiteral("The program \"%1\" could not be started.").arg(name), fw::mtError, fw::mbOK);
        break;
    case fw::RunStatus::Finished:
    case fw::RunStatus::StillRunning:
        break;
    }
    return result;
}
