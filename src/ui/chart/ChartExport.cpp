#include "ChartExport.h"

#include "StrategyChartModel.h"

#include "play/ChartLineText.h"

namespace drawmentor {
namespace {

QString Quoted(QString text) {
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString ChartHtml(const TStrategyChart& chart, const TTexts& language,
                  const TChartExportTexts& texts) {
    QString html =
        QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>") +
        texts.Title.toHtmlEscaped() + QStringLiteral("</title></head>\n<body>\n<h2>") +
        texts.Title.toHtmlEscaped() + QStringLiteral("</h2>\n<p>") + texts.Pays.toHtmlEscaped() +
        QStringLiteral("</p>\n<p>") + texts.Rule.toHtmlEscaped() +
        // A header row in <thead> is repeated on every printed page.
        QStringLiteral(
            "</p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<thead><tr>");
    for (const QString& column : texts.Columns)
        html += QStringLiteral("<th>") + column.toHtmlEscaped() + QStringLiteral("</th>");
    html += QStringLiteral("</tr></thead>\n");
    for (const int index : ReadingOrder(chart)) {
        const size_t i = static_cast<size_t>(index);
        const TChartLine& line = chart.Lines[i];
        QString name = ChartNameText(line.Name, language).toHtmlEscaped();
        for (const QString& note : ChartExceptionTexts(line, language))
            name +=
                QStringLiteral("<br><small>") + note.toHtmlEscaped() + QStringLiteral("</small>");
        html +=
            QStringLiteral("<tr><td align=\"right\">%1</td><td>%2</td><td align=\"right\">%3</td>"
                           "<td align=\"right\">%4</td><td>%5</td></tr>\n")
                .arg(i + 1)
                .arg(name, TStrategyChartModel::FrequencyText(line.Frequency),
                     TStrategyChartModel::ReturnText(line.AverageReturn),
                     ChartExampleText(line, language).toHtmlEscaped());
    }
    html += QStringLiteral("</table>\n");
    for (const QString& figure : texts.Summary)
        html += QStringLiteral("<p>") + figure.toHtmlEscaped() + QStringLiteral("</p>\n");
    if (!texts.Legend.isEmpty()) {
        html += QStringLiteral("<ul>\n");
        for (const QString& item : texts.Legend)
            html += QStringLiteral("<li>") + item.toHtmlEscaped() + QStringLiteral("</li>\n");
        html += QStringLiteral("</ul>\n");
    }
    return html + QStringLiteral("</body></html>\n");
}

QString ChartCsv(const TStrategyChart& chart, const TTexts& language,
                 const TChartExportTexts& texts) {
    QStringList header;
    for (const QString& column : texts.Columns) header << Quoted(column);
    QString csv = header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const int index : ReadingOrder(chart)) {
        const size_t i = static_cast<size_t>(index);
        const TChartLine& line = chart.Lines[i];
        csv += QStringLiteral("%1,%2,%3,%4,%5\n")
                   .arg(i + 1)
                   .arg(Quoted((QStringList{ChartNameText(line.Name, language)} +
                                ChartExceptionTexts(line, language))
                                   .join(QStringLiteral(" "))),
                        QString::number(line.Frequency, 'g', 17),
                        QString::number(line.AverageReturn, 'g', 17),
                        Quoted(ChartExampleText(line, language)));
    }
    return csv;
}

} // namespace drawmentor
