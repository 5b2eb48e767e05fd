#pragma once
// A filled report laid out on pages: as a text document for the report window and the printer,
// or written to a PDF file.
#include <QString>
#include <memory>

#include "statistics/disenoinforme.h"

class QPagedPaintDevice;
class QTextDocument;

namespace informes {

// The report in the font the reports print in.
std::unique_ptr<QTextDocument> documentoInforme(const InformeLleno& informe);

// Lays the report out on the pages of a printer or a PDF writer.
void pintaInforme(const InformeLleno& informe, QPagedPaintDevice& destino);

// Writes the report as an A4 PDF file. The file is replaced whole or not at all; a failure gives
// false, with its reason in `motivo`, and leaves whatever was there before.
bool escribePdf(const InformeLleno& informe, const QString& archivo, QString* motivo = nullptr);

}  // namespace informes
