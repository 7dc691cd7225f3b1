#pragma once

#include <QString>

namespace tunnel {

// The reverse-DNS id of the program: desktop entry, icon and metainfo names,
// and the folder <prefix>/share/<id>/ of an installed copy.
inline constexpr char kApplicationId[] = "cn.tunnelcalc.TunnelCalc";

// Name of the user's folder of an installed copy.
inline constexpr char kUserFolderName[] = "隧道施工计算工具";

// Whether the executable in executableFolder was laid out by the install
// rules: it sits in <prefix>/bin and <prefix>/share/<id>/installed exists.
bool IsInstalledCopy(const QString &executableFolder);

// The folder that holds Data/ and 导出的方案/. A portable copy keeps them
// beside the executable; an installed copy, whose folder the user may not
// write, uses <documents>/隧道施工计算工具 (the home folder when the system
// names no documents folder).
QString DataRoot(const QString &executableFolder);

// Creates root/Data and root/导出的方案; returns an empty text on success,
// else the folder that could not be created.
QString CreateDataFolders(const QString &root);

}  // namespace tunnel
