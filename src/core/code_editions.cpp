#include "core/code_editions.h"

#include <QRegularExpression>

namespace tunnel {

namespace {

const CodeEdition kEditions[] = {
    {"GB 6722-2014", "《爆破安全规程》"},
    {"JTG/T 3660-2020", "《公路隧道施工技术规范》"},
    {"JTG F90-2015", "《公路工程施工安全技术规范》"},
    {"JTG 3370.1-2018", "《公路隧道设计规范 第一册 土建工程》"},
    {"JTG/T 3374-2020", "《公路瓦斯隧道设计与施工技术规范》"},
    {"TB 10120-2019", "《铁路瓦斯隧道技术规范》"},
    {"TB 10304-2020", "《铁路隧道工程施工安全技术规程》"},
    {"JGJ 162-2008", "《建筑施工模板安全技术规范》"},
    {"GB 50009-2012", "《建筑结构荷载规范》"},
    {"GB 50010-2010", "《混凝土结构设计规范》"},
    {"GB 50017-2017", "《钢结构设计标准》"},
    {"GB 55001-2021", "《工程结构通用规范》"},
    {"GB 55023-2022", "《施工脚手架通用规范》"},
};

}  // namespace

std::span<const CodeEdition> CitedEditions() {
    return kEditions;
}

QStringList CitedCodeNumbers(const QString &text) {
    static const QRegularExpression code(QStringLiteral(
        "(GB|JGJ|JTG|TB|CJJ)(/T| T(?= ))?\\s*([A-Z]?\\d{2,5}(?:\\.\\d)?)\\s*[-—－–]\\s*((?:19|20)\\d{2})"));
    QStringList numbers;
    for (auto it = code.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        numbers << m.captured(1) + (m.captured(2).isEmpty() ? QString() : QStringLiteral("/T")) +
                       u' ' + m.captured(3) + u'-' + m.captured(4);
    }
    return numbers;
}

bool CitesOrder37WithoutRevision(const QString &text) {
    static const QRegularExpression order(
        QStringLiteral("住房(?:和)?城乡建设部令第37号(?!（2019年修正）)"));
    return order.match(text).hasMatch();
}

}  // namespace tunnel
