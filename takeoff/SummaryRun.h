#pragma once
// Calculating every item of a project for the summary, through the same loop
// as the continuous text output: nothing is written, and the item on the
// user's screen is neither loaded nor changed.
#include "Snapshot.h"
#include "Summary.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The item on the user's screen, with what was typed and not yet saved.
struct ScreenItem {
    QString name;
    engine::Snapshot snapshot;
    int count = 1;             // 箇所数 as typed
    QString group, remark = {}; // 区分, 備考
};

struct ProjectRun {
    std::vector<summary::Item> items; // in list order
    QStringList notes;                // what opening the project said
};

// Every item of the project at `path`. The item named in `screen` is
// calculated from that screen instead of from the file. Without
// `statements` the items carry no statement lines (a summary alone).
ProjectRun CalculateProject(const QString& path,
                            const std::optional<ScreenItem>& screen = std::nullopt,
                            bool statements = true);
