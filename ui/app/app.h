// SPDX-License-Identifier: GPL-3.0-or-later
// The running program: the application's identity, the platform services
// and the shell.
#pragma once

class QApplication;

namespace zodivane::ui {

/// Sets up the application, starts the shell and runs the event loop;
/// returns the process's exit code.
int RunProgram(QApplication& app);

}  // namespace zodivane::ui
