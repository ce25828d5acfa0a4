#pragma once
// "yoheki-batch dxf": the sections of a project, drawn to scale from each
// item's dimensions, as a DXF drawing.
#include <QString>
#include <QStringList>
#include <cstdio>

int DxfCommand(const QStringList& args, std::FILE* out, std::FILE* err);
QString DxfHelp();
