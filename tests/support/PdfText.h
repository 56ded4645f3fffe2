#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <optional>

// The text of a PDF file as poppler's pdftotext reads it, the layout kept and each page ended by a
// form feed; none where the tool is missing (the tests then skip). Qt writes PDFs but cannot read
// them, so the tests read what a viewer would show.
inline std::optional<QString> PdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                         path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Why a test that reads a PDF cannot run here, or null when it can.
inline const char* PdfTextMissing() {
#ifdef Q_OS_WIN
    return "pdftotext is a Linux tool: the report's text is read in the Linux tests";
#else
    return QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
               ? "pdftotext (poppler-utils) is not installed"
               : nullptr;
#endif
}
