// The report engine's layouts and how a layout is filled from the report database.
//
// A layout is a UTF-8 text file, one directive a line. A directive is a keyword in capitals, a
// blank, and its values separated by " | ". Empty lines and lines starting with "#" are notes.
//
//   INFORME <title>                 first directive, once: the title of the report
//   TEXTO <paragraph>               a paragraph of plain text
//   FICHA <table> | <heading>       a section showing the first row of a table, one field a line
//   CAMPO <column> | <label>        a field of the FICHA above it
//   LISTA <table> | <heading>       a section listing every row of a table, one column each field
//   COLUMNA <column> | <heading>    a column of the LISTA above it
//   ORDEN <sort>                    the order of the rows of the LISTA above it, as a recordset
//                                   sorts them: "Veces DESC, Numero ASC"; without it the table's
//                                   own order
//
// Table and column names are matched as the database matches them (case apart, "ñ" included); a
// layout naming a table or column the database lacks is not a layout of this program. A FICHA
// prints only the fields that hold a value, and nothing at all when none does.
// A FICHA or LISTA needs at least one field. Anything else, an empty layout or one longer than
// 64 KiB is not a layout. Every table is read from the report database the engine is given.
#include "statistics/disenoinforme.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "plataforma/basedatos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"

namespace informes {

namespace {

[[noreturn]] void malDiseno(int linea, const QString& motivo) {
  throw plataforma::Error(ERR_ARCHIVO_INFORME,
                          QStringLiteral("Diseño de informe no válido, línea %1: %2").arg(linea).arg(motivo));
}

QStringList valores(const QString& resto) {
  QStringList partes = resto.split(QStringLiteral(" | "));
  for (QString& p : partes) p = p.trimmed();
  return partes;
}

QString escapa(const QString& texto) { return texto.toHtmlEscaped(); }

// A value with its blanks as they stand: the bets and the draw text line their figures up with
// leading and double blanks, which HTML would fold into one. The lists print in a fixed-width
// font so that the blanks line the figures up.
QString conBlancos(const QString& texto) {
  QString r;
  bool blanco = true;
  for (QChar c : texto) {
    if (c == u' ') {
      r += blanco ? QStringLiteral("&nbsp;") : QStringLiteral(" ");
      blanco = true;
    } else {
      r += QString(c).toHtmlEscaped();
      blanco = false;
    }
  }
  return r;
}

// "El diseño «Bolvanta.net»", or just "El diseño" for a layout that came from no file.
QString elDiseno(const Diseno& d) {
  return d.archivo.isEmpty() ? QStringLiteral("El diseño") : QStringLiteral("El diseño «%1»").arg(d.archivo);
}

// A layout that names what the database lacks is a layout that does not fit the program: told as
// such, with what it names, before anything is shown.
[[noreturn]] void noEncaja(const Diseno& d, const QString& frase) {
  throw plataforma::Error(ERR_ARCHIVO_INFORME, elDiseno(d) + QLatin1Char(' ') + frase);
}

void compruebaColumna(const Diseno& d, const Seccion& s, const plataforma::Recordset& rs, const QString& columna) {
  for (int i = 0; i < rs.FieldCount(); ++i)
    if (rs.FieldName(i).compare(columna, Qt::CaseInsensitive) == 0) return;
  noEncaja(d, QStringLiteral("pide el campo «%1» de la tabla «%2», que no está en la base de datos.")
                    .arg(columna, s.tabla));
}

}  // namespace

Diseno leeDiseno(const QString& archivo) {
  QFile f(archivo);
  if (archivo.isEmpty() || !f.exists())
    throw plataforma::Error(ERR_NOMBRE_INFORME,
                            QStringLiteral("No se encuentra el diseño de informe «%1».").arg(archivo));
  if (!f.open(QIODevice::ReadOnly))
    throw plataforma::Error(ERR_ARCHIVO_INFORME,
                            QStringLiteral("No se puede leer el diseño de informe «%1».").arg(archivo));
  // Reading one byte past the limit tells an over-long file without reading all of it.
  const QByteArray texto = f.read(LONGITUD_MAXIMA + 1);
  if (texto.size() > LONGITUD_MAXIMA) malDiseno(0, QStringLiteral("el archivo es demasiado largo."));
  Diseno d = interpretaDiseno(texto);
  d.archivo = QFileInfo(archivo).fileName();
  return d;
}

Diseno interpretaDiseno(const QByteArray& texto) {
  if (texto.contains('\0')) malDiseno(0, QStringLiteral("no es un archivo de texto."));
  Diseno d;
  bool conTitulo = false;
  // A layout saved by a Windows editor may start with a byte-order mark and end its lines in CR LF.
  QString todo = QString::fromUtf8(texto);
  if (todo.startsWith(QChar(0xFEFF))) todo.remove(0, 1);
  const QStringList lineas = todo.split(QLatin1Char('\n'));
  for (int n = 0; n < lineas.size(); ++n) {
    const QString linea = lineas[n].trimmed();
    const int numero = n + 1;
    if (linea.isEmpty() || linea.startsWith(QLatin1Char('#'))) continue;
    const qsizetype blanco = linea.indexOf(QLatin1Char(' '));
    const QString clave = blanco < 0 ? linea : linea.left(blanco);
    const QString resto = blanco < 0 ? QString() : linea.mid(blanco + 1).trimmed();
    const QStringList v = valores(resto);
    if (resto.isEmpty()) malDiseno(numero, QStringLiteral("«%1» sin valor.").arg(clave));

    if (!conTitulo) {
      if (clave != QLatin1String("INFORME"))
        malDiseno(numero, QStringLiteral("debe empezar por INFORME."));
      d.titulo = resto;
      conTitulo = true;
      continue;
    }
    Seccion* ultima = d.secciones.empty() ? nullptr : &d.secciones.back();
    const bool nueva = clave == QLatin1String("TEXTO") || clave == QLatin1String("FICHA") ||
                       clave == QLatin1String("LISTA");
    if (nueva && ultima && ultima->tipo != Seccion::Texto && ultima->campos.empty())
      malDiseno(numero, QStringLiteral("la sección anterior no tiene campos."));
    if (clave == QLatin1String("TEXTO")) {
      d.secciones.push_back({Seccion::Texto, resto, {}, {}, {}});
    } else if (clave == QLatin1String("FICHA") || clave == QLatin1String("LISTA")) {
      if (v.size() != 2 || v[0].isEmpty())
        malDiseno(numero, QStringLiteral("se espera «%1 tabla | título».").arg(clave));
      d.secciones.push_back(
          {clave == QLatin1String("FICHA") ? Seccion::Ficha : Seccion::Lista, v[1], v[0], {}, {}});
    } else if (clave == QLatin1String("CAMPO") || clave == QLatin1String("COLUMNA")) {
      const Seccion::Tipo tipo = clave == QLatin1String("CAMPO") ? Seccion::Ficha : Seccion::Lista;
      if (!ultima || ultima->tipo != tipo)
        malDiseno(numero, QStringLiteral("«%1» fuera de su sección.").arg(clave));
      if (v.size() != 2 || v[0].isEmpty())
        malDiseno(numero, QStringLiteral("se espera «%1 columna | rótulo».").arg(clave));
      ultima->campos.push_back({v[0], v[1]});
    } else if (clave == QLatin1String("ORDEN")) {
      if (!ultima || ultima->tipo != Seccion::Lista || !ultima->orden.isEmpty())
        malDiseno(numero, QStringLiteral("«ORDEN» fuera de una lista o repetido."));
      ultima->orden = resto;
    } else if (clave == QLatin1String("INFORME")) {
      malDiseno(numero, QStringLiteral("«INFORME» repetido."));
    } else {
      malDiseno(numero, QStringLiteral("directiva desconocida «%1».").arg(clave));
    }
  }
  if (!conTitulo) malDiseno(0, QStringLiteral("el diseño está vacío."));
  if (!d.secciones.empty() && d.secciones.back().tipo != Seccion::Texto &&
      d.secciones.back().campos.empty())
    malDiseno(int(lineas.size()), QStringLiteral("la última sección no tiene campos."));
  return d;
}

QString textoValor(const QVariant& valor) {
  switch (valor.typeId()) {
    case QMetaType::UnknownType:
      return QString();
    case QMetaType::QDate:
      return plataforma::fechaCorta(valor.toDate());
    case QMetaType::Double:
    case QMetaType::Float:
      return QLocale(QLocale::Spanish, QLocale::Spain).toString(valor.toDouble(), 'f', 2);
    default: {
      QString t = valor.toString();
      while (!t.isEmpty() && (t.back() == u' ' || t.back() == QChar(0))) t.chop(1);
      return t;
    }
  }
}

InformeLleno llenaInforme(const Diseno& diseno, const QString& baseDatos, const QString& clave) {
  plataforma::Conexion cn;
  try {
    cn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + baseDatos +
            QStringLiteral(";Jet OLEDB:Database Password=") + clave);
  } catch (const plataforma::Error& e) {
    // A database held by another program is read a second time; one that will not open is not.
    throw plataforma::Error(e.numero() == plataforma::ERR_BD_BLOQUEADA ? ERR_BASE_DATOS : ERR_ARCHIVO_BASE,
                            e.descripcion());
  }
  InformeLleno informe;
  informe.titulo = diseno.titulo;
  try {
    for (const Seccion& s : diseno.secciones) {
      SeccionLlena llena;
      llena.tipo = s.tipo;
      llena.titulo = s.titulo;
      if (s.tipo != Seccion::Texto) {
        plataforma::Recordset rs;
        rs.setCursorLocation(plataforma::adUseClient);
        try {
          rs.Open(s.tabla, cn, plataforma::adOpenKeyset, plataforma::adLockReadOnly, plataforma::adCmdTable);
        } catch (const plataforma::Error& e) {
          if (e.numero() != plataforma::ERR_BD_ELEMENTO) throw;
          noEncaja(diseno, QStringLiteral("pide la tabla «%1», que no está en la base de datos.").arg(s.tabla));
        }
        // Every column is looked up even when the table has no row, so that a layout naming a
        // column the table lacks fails whatever the table holds.
        for (const Campo& c : s.campos) compruebaColumna(diseno, s, rs, c.columna);
        if (!s.orden.isEmpty()) {
          try {
            rs.setSort(s.orden);
          } catch (const plataforma::Error& e) {
            if (e.numero() != plataforma::ERR_BD_ELEMENTO) throw;
            noEncaja(diseno, QStringLiteral("ordena la tabla «%1» por «%2», un campo que no está en la base de datos.")
                                .arg(s.tabla, s.orden));
          }
        }
        for (; !rs.EOF(); rs.MoveNext()) {
          QStringList fila;
          for (const Campo& c : s.campos) fila << textoValor(rs.Fields(c.columna));
          llena.filas.push_back(fila);
          if (s.tipo == Seccion::Ficha) break;
        }
        rs.Close();
        for (const Campo& c : s.campos) llena.rotulos << c.rotulo;
        if (s.tipo == Seccion::Ficha && !llena.filas.empty()) {
          // A printed report has no empty field: a field without a value is left out, and a
          // section left without fields with it.
          QStringList rotulos, valores;
          for (int i = 0; i < llena.rotulos.size(); ++i)
            if (!llena.filas[0][i].isEmpty()) {
              rotulos << llena.rotulos[i];
              valores << llena.filas[0][i];
            }
          if (valores.isEmpty()) continue;
          llena.rotulos = rotulos;
          llena.filas[0] = valores;
        }
      }
      informe.secciones.push_back(std::move(llena));
    }
  } catch (const plataforma::Error& e) {
    if (e.numero() == ERR_ARCHIVO_INFORME) throw;
    throw plataforma::Error(ERR_BASE_DATOS, e.descripcion());
  }
  cn.Close();
  return informe;
}

QString htmlInforme(const InformeLleno& informe) {
  QString h = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>") + escapa(informe.titulo) +
              QStringLiteral("</title></head><body><h1>") + escapa(informe.titulo) + QStringLiteral("</h1>");
  const QString tabla = QStringLiteral(
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" style=\"border-color: #808080;\">");
  for (const SeccionLlena& s : informe.secciones) {
    if (s.tipo == Seccion::Texto) {
      h += QStringLiteral("<p>") + escapa(s.titulo) + QStringLiteral("</p>");
      continue;
    }
    h += QStringLiteral("<h2>") + escapa(s.titulo) + QStringLiteral("</h2>");
    if (s.filas.empty()) {
      h += QStringLiteral("<p><i>Sin datos.</i></p>");
      continue;
    }
    h += tabla;
    if (s.tipo == Seccion::Ficha) {
      for (int i = 0; i < s.rotulos.size(); ++i)
        h += QStringLiteral("<tr><td bgcolor=\"#e8e8e8\"><b>") + escapa(s.rotulos[i]) +
             QStringLiteral("</b></td><td>") + conBlancos(s.filas[0][i]) +
             QStringLiteral("</td></tr>");
    } else {
      h += QStringLiteral("<tr>");
      for (const QString& r : s.rotulos)
        h += QStringLiteral("<th bgcolor=\"#e8e8e8\">") + escapa(r) + QStringLiteral("</th>");
      h += QStringLiteral("</tr>");
      for (const QStringList& fila : s.filas) {
        h += QStringLiteral("<tr>");
        for (const QString& v : fila)
          h += QStringLiteral("<td style=\"font-family: 'Liberation Mono';\">") + conBlancos(v) +
               QStringLiteral("</td>");
        h += QStringLiteral("</tr>");
      }
    }
    h += QStringLiteral("</table>");
  }
  return h + QStringLiteral("</body></html>");
}

}  // namespace informes
