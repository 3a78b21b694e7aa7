#include "app/Application.h"

#include "app/UAbout.h"
#include "app/UBoot.h"
#include "app/UDMXDefVal.h"
#include "app/UNew_Project.h"
#include "app/UOpenConf.h"
#include "app/UParGen.h"
#include "app/USoftOptions.h"
#include "app/UZizuzuzarizFirmWare.h"
#include "editors/automation/UBACnetAccess.h"
#include "editors/automation/UDALI_Access.h"
#include "editors/automation/UImportEDEFile.h"
#include "editors/automation/UModbus_TCP_Master_Set_Access.h"
#include "editors/automation/UProfinetFileName.h"
#include "editors/automation/USetAccess.h"
#include "editors/can/UReceiveCAN.h"
#include "editors/can/USNMP_Trap_Access.h"
#include "editors/can/USet_PDO_Access.h"
#include "editors/can/USet_SDO_Client_Access.h"
#include "editors/can/USet_SDO_Server_Access.h"
#include "editors/can/UTransmitCAN.h"
#include "framework/Forms.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace {

// Creates one window into its object; FormCreate runs to its end before the
// next window is created.
template <class T>
void create(T*& object)
{
    object = fw::CreateForm<T>();
}

template <class T>
void release(T*& object)
{
    delete object;
    object = nullptr;
}

} // namespace

void Create_Application_Windows(const QString& programFolder)
{
    Create_Main_Window(programFolder);
    Create_Other_Windows();
}

void Create_Main_Window(const QString& programFolder)
{
    FZizuzuzarizFirmWare = new TFZizuzuzarizFirmWare(programFolder);
    FZizuzuzarizFirmWare->Create();
    fw::Application.SetMainForm(FZizuzuzarizFirmWare);
}

void Create_Other_Windows()
{
    if (FNew_Project)
        return;
    create(FNew_Project);
    create(FOpenConf);
    create(FAbout);
    create(FSoftOptions);
    create(FParGen);
    create(FDALI_Access);
    create(FBoot);
    create(FProfinetFileName);
    create(FModbus_TCP_Master_Set_Access);
    create(FDMXDefVal);
    create(FBACnetAccess);
    create(FImportEDEFile);
    create(FSetAccess);
    create(FSNMP_Trap_Access);
    create(FReceiveCAN);
    create(FTransmitCAN);
    create(FSet_PDO_Access);
    create(FSet_SDO_Client_Access);
    create(FSet_SDO_Server_Access);
}

namespace {

// Watches the whole application until the other windows exist.
class TOtherWindowsCreator : public QObject {
public:
    TOtherWindowsCreator() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Paint:
            // After this paint is on the screen: the timer runs once the
            // event loop is back, past the flush of the painted window.
            if (watched == FZizuzuzarizFirmWare && !m_scheduled) {
                m_scheduled = true;
                QTimer::singleShot(0, this, [this] { createNow(); });
            }
            break;
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Close:
            // The command this starts may open any window: create them first.
            createNow();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void createNow()
    {
        if (m_done)
            return;
        m_done = true;
        QCoreApplication::instance()->removeEventFilter(this);
        Create_Other_Windows();
        deleteLater();
    }

    bool m_scheduled = false;
    bool m_done = false;
};

// The watcher while it waits; freeing the windows ends it, so that nothing
// can create them again during the program's end.
QPointer<TOtherWindowsCreator> gPendingCreator;

} // namespace

void Create_Other_Windows_After_First_Paint()
{
    if (!FNew_Project && !gPendingCreator)
        gPendingCreator = new TOtherWindowsCreator();
}

void Free_Application_Windows()
{
    delete gPendingCreator.data();
    release(FSet_SDO_Server_Access);
    release(FSet_SDO_Client_Access);
    release(FSet_PDO_Access);
    release(FTransmitCAN);
    release(FReceiveCAN);
    release(FSNMP_Trap_Access);
    release(FSetAccess);
    release(FImportEDEFile);
    release(FBACnetAccess);
    release(FDMXDefVal);
    release(FModbus_TCP_Master_Set_Access);
    release(FProfinetFileName);
    release(FBoot);
    release(FDALI_Access);
    release(FParGen);
    release(FSoftOptions);
    release(FAbout);
    release(FOpenConf);
    release(FNew_Project);
    if (fw::Application.MainForm() == FZizuzuzarizFirmWare)
        fw::Application.SetMainForm(nullptr);
    release(FZizuzuzarizFirmWare);
}

int Run_Application()
{
    return fw::Application.Run();
}
