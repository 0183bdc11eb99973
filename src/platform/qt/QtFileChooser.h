// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/platform/FileChooser.h"

#include <QStringList>

#include <string_view>

// The file dialogs as Qt's own QFileDialog, the same on every desktop.
class QtFileChooser final : public FileChooser {
public:
    std::optional<std::string> openFile(const Options& options) override;
    std::vector<std::string> openFiles(const Options& options) override;
    std::optional<std::string> saveFile(const Options& options) override;
};

// The program's filter text ("Sound Files(*.wav)|*.wav", pairs of description and
// patterns separated by "|", patterns by ";") as Qt name filters. With
// `ignoreLetterCase`, letters in the patterns match either case, since the game's files on
// a case-sensitive file system may be spelled in either.
QStringList toQtNameFilters(std::string_view filter, bool ignoreLetterCase);
