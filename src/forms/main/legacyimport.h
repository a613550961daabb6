#pragma once

#include <filesystem>

class QWidget;

// When the data folder holds the older program's Paradox tables, asks once
// whether to bring them across and, on yes, imports them with a progress
// dialog and shows the summary. On no, or when there are none, nothing
// changes. Runs before the data set-up opens any table.
void offerLegacyImport(const std::filesystem::path &dataFolder, QWidget *parent);
