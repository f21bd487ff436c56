#pragma once

#include "forms/desktop_shell.h"

namespace corvalen {

class QtDesktopShell : public DesktopShell {
public:
    bool startProgram(const QString& path, StartWindow window) override;
    bool openUrl(const QString& url) override;
    std::optional<QString> installedProgramFolder(const QString& executable) override;
    void askForAttention(QWidget* window) override;
};

} // namespace corvalen
