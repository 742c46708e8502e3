// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The launcher's platform on this desktop: the registry stand-in, the file test, starting a
// program and the message box. Which tool is found is the stand-in's business.

#include "about/modsysteminfo.h"
#include "platform/linuxregistry.h"

class QWidget;

namespace margino {

class DesktopSystemInfo final : public SystemInfoPlatform {
public:
    // The message box stands over owner.
    DesktopSystemInfo(QWidget *owner, SystemInfoTools tools)
        : owner_(owner), registry_(std::move(tools)) {}

    RegistryStore &registry() override { return registry_; }
    bool fileExists(const QString &path) override;
    bool startProgram(const QString &path) override;
    void showMessage(const QString &text) override;

private:
    QWidget *owner_;
    LinuxRegistry registry_;
};

} // namespace margino
