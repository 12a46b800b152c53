#include "TesseractRecognizer.h"

#include <QPainter>
#include <QRegularExpression>

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>

#include <dlfcn.h>

namespace {
const int kAlternatives = 2; // readings offered beside the best one

// Tesseract's LSTM asks OpenMP for up to ten threads; on a small machine that is several times
// slower than one. OMP_THREAD_LIMIT only counts when set before libgomp starts, which happens
// before main() when it is linked in, so the calling thread also turns nested parallelism off
// through the runtime itself (looked up at run time: there is none when Tesseract was built
// without OpenMP).
void keepOpenMpToOneThread()
{
    using SetLevels = void (*)(int);
    static const auto setLevels =
        reinterpret_cast<SetLevels>(dlsym(RTLD_DEFAULT, "omp_set_max_active_levels"));
    if (setLevels)
        setLevels(0);
}

// The Debian package that adds a language: tesseract-ocr-deu, tesseract-ocr-chi-sim.
QString packageFor(const QString& language)
{
    return QStringLiteral("tesseract-ocr-") + language.toLower().replace(QLatin1Char('_'), '-');
}

QString missingDataError(const QStringList& languages)
{
    QStringList packages;
    for (const QString& l : languages)
        packages << packageFor(l);
    // No closing full stop: the console line of a failed read adds one.
    return QStringLiteral("Text recognition needs the language data for %1 (install %2)")
        .arg(languages.join(QStringLiteral(", ")), packages.join(QStringLiteral(" and ")));
}

// Tesseract reads 8-bit grey; transparent parts become white paper, not black ink.
QImage toGrey(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_Grayscale8);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat.convertToFormat(QImage::Format_Grayscale8);
}
// Other readings of the line at it, most likely first: each swaps one uncertain character for
// the engine's runner-up there. best is the line as the engine reads it.
QStringList alternatives(const tesseract::ResultIterator& it, const QString& best, int max)
{
    struct Swap
    {
        qsizetype at;
        qsizetype length;
        QString with;
        float confidence;
    };
    std::vector<Swap> swaps;
    QString line;
    tesseract::ResultIterator sym(it);
    while (line.size() <= best.size()) {
        std::unique_ptr<char[]> text(sym.GetUTF8Text(tesseract::RIL_SYMBOL));
        if (!text)
            break;
        if (sym.IsAtBeginningOf(tesseract::RIL_WORD) && !line.isEmpty())
            line += QLatin1Char(' ');
        const QString symbol = QString::fromUtf8(text.get());
        tesseract::ChoiceIterator choice(sym);
        if (choice.Next() && choice.GetUTF8Text()) {
            const QString other = QString::fromUtf8(choice.GetUTF8Text()).trimmed();
            if (!other.isEmpty() && other != symbol)
                swaps.push_back({line.size(), symbol.size(), other, choice.Confidence()});
        }
        line += symbol;
        if (sym.IsAtFinalElement(tesseract::RIL_TEXTLINE, tesseract::RIL_SYMBOL) ||
            !sym.Next(tesseract::RIL_SYMBOL))
            break;
    }
    if (line != best) // spelled out differently (e.g. reordered script): offer nothing
        return {};
    std::sort(swaps.begin(), swaps.end(),
              [](const Swap& a, const Swap& b) { return a.confidence > b.confidence; });
    QStringList out;
    for (const Swap& s : swaps) {
        if (out.size() >= max)
            break;
        out << QString(best).replace(s.at, s.length, s.with);
    }
    return out;
}
} // namespace

TesseractRecognizer::TesseractRecognizer(const QString& language, const QString& dataPath)
    : m_language(language), m_dataPath(dataPath)
{
}

TesseractRecognizer::~TesseractRecognizer()
{
    QMutexLocker lock(&m_mutex); // a perform under way finishes first
    m_api.reset();
}

QString TesseractRecognizer::load()
{
    QMutexLocker lock(&m_mutex);
    return loadLocked();
}

QString TesseractRecognizer::loadLocked()
{
    if (m_api)
        return {};
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9_]+(\\+[A-Za-z0-9_]+)*$"));
    if (!valid.match(m_language).hasMatch())
        return QStringLiteral("\"%1\" is not a Tesseract language code").arg(m_language);
    const QStringList wanted = m_language.split(QLatin1Char('+'));

    auto api = std::make_unique<tesseract::TessBaseAPI>();
    const QByteArray path = m_dataPath.isEmpty() ? QByteArray() : (m_dataPath + '/').toUtf8();
    const int rc = api->Init(path.isEmpty() ? nullptr : path.constData(),
                             m_language.toUtf8().constData(), tesseract::OEM_LSTM_ONLY);
    std::vector<std::string> loaded;
    if (rc == 0)
        api->GetLoadedLanguagesAsVector(&loaded);
    QStringList missing;
    for (const QString& l : wanted)
        if (std::find(loaded.begin(), loaded.end(), l.toStdString()) == loaded.end())
            missing << l;
    if (!missing.isEmpty())
        return missingDataError(missing);

    // Its notes on estimated resolution and the like would fill the console on every photo.
    api->SetVariable("debug_file", "/dev/null");
    api->SetPageSegMode(tesseract::PSM_AUTO);
    // Keeps the runner-up of each character, for the other readings of a line (no slower).
    api->SetVariable("lstm_choice_mode", "2");
    m_api = std::move(api);
    return {};
}

Recognition TesseractRecognizer::perform(const QImage& image)
{
    QMutexLocker lock(&m_mutex);
    if (const QString error = loadLocked(); !error.isEmpty())
        return Recognition::failed(Recognition::Unavailable, error);
    if (image.isNull() || image.width() < 3 || image.height() < 3)
        return Recognition::failed(Recognition::Failed, QStringLiteral("The image is empty"));

    const QImage grey = toGrey(image);
    keepOpenMpToOneThread();
    m_api->SetImage(grey.constBits(), grey.width(), grey.height(), 1, int(grey.bytesPerLine()));
    if (m_api->Recognize(nullptr) != 0) {
        m_api->Clear();
        return Recognition::failed(Recognition::Failed,
                                   QStringLiteral("Tesseract could not recognise the image"));
    }

    Recognition result;
    std::unique_ptr<tesseract::ResultIterator> it(m_api->GetIterator());
    if (it && !it->Empty(tesseract::RIL_TEXTLINE)) {
        do {
            std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
            RecognizedLine line;
            const QString best = QString::fromUtf8(text.get()).trimmed();
            if (!best.isEmpty())
                line.candidates << best << alternatives(*it, best, kAlternatives);
            line.confidence = it->Confidence(tesseract::RIL_TEXTLINE);
            result.lines << line;
        } while (it->Next(tesseract::RIL_TEXTLINE));
    }
    it.reset();
    m_api->Clear(); // frees this page's results; the loaded model stays
    return result;
}
