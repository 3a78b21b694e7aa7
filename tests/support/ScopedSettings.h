#pragma once
// Guards for process-wide settings that a test changes: each puts the
// previous state back when it goes out of scope, also when an ASSERT ends
// the test early.
#include "framework/AtomicFile.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"

#include <memory>
#include <utility>

namespace testsupport {

// The process format settings (separators, date and time formats).
class FormatSettingsGuard {
public:
    FormatSettingsGuard() : m_saved(fw::FormatSettings()) {}
    ~FormatSettingsGuard() { fw::FormatSettings() = m_saved; }
    FormatSettingsGuard(const FormatSettingsGuard&) = delete;
    FormatSettingsGuard& operator=(const FormatSettingsGuard&) = delete;

private:
    fw::TFormatSettings m_saved;
};

// Replaces the rename step of the atomic file writes until restore() or the
// end of the scope.
class RenameHookGuard {
public:
    explicit RenameHookGuard(fw::TRenameFunction fn) { fw::SetRenameFunctionForTesting(std::move(fn)); }
    ~RenameHookGuard() { restore(); }
    void restore() { fw::SetRenameFunctionForTesting({}); }
    RenameHookGuard(const RenameHookGuard&) = delete;
    RenameHookGuard& operator=(const RenameHookGuard&) = delete;
};

// Puts a memory registry store in place and the previous store back after.
class RegistryStoreGuard {
public:
    RegistryStoreGuard()
        : m_store(std::make_shared<fw::TMemoryRegistryStore>()), m_previous(fw::SetRegistryStore(m_store))
    {
    }
    ~RegistryStoreGuard() { fw::SetRegistryStore(m_previous); }
    RegistryStoreGuard(const RegistryStoreGuard&) = delete;
    RegistryStoreGuard& operator=(const RegistryStoreGuard&) = delete;

    fw::TMemoryRegistryStore& store() const { return *m_store; }

private:
    std::shared_ptr<fw::TMemoryRegistryStore> m_store;
    std::shared_ptr<fw::TRegistryStore> m_previous;
};

} // namespace testsupport
