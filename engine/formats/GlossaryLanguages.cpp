#include "GlossaryLanguages.h"

#include "AppFolder.h"
#include "cInifile.h"
#include "TextFile.h"

namespace {

// Windows language identifiers ("primary sub", decimal) with their three-letter
// abbreviations; four languages without one carry their number in parentheses.
constexpr const char *LanguageIds[] = {
    "54 1=afk", "28 1=sqi",
    "1 1=ara", "1 2=ari", "1 3=are", "1 4=arl", "1 5=arg", "1 6=arm", "1 7=art", "1 8=aro",
    "1 9=ary", "1 10=ars", "1 11=arj", "1 12=arb", "1 13=ark", "1 14=aru", "1 15=arh", "1 16=arq",
    "43 1=hye", "77 1=asm", "44 1=aze", "44 2=azc", "45 1=euq", "35 1=bel", "69 1=bng",
    "2 1=bgr", "3 1=cat",
    "4 1=cht", "4 2=chs", "4 3=zhh", "4 4=zhi", "4 5=zhm",
    "5 1=csy", "6 1=dan", "19 1=nld", "19 2=nlb",
    "9 1=enu", "9 2=eng", "9 3=ena", "9 4=enc", "9 5=enz", "9 6=eni", "9 7=ens", "9 8=enj",
    "9 9=enb", "9 10=enl", "9 11=ent", "9 12=enw", "9 13=enp",
    "37 1=eti", "56 1=fos", "41 1=far", "11 1=fin",
    "12 1=fra", "12 2=frb", "12 3=frc", "12 4=frs", "12 5=frl", "12 6=frm",
    "55 1=kat",
    "7 1=deu", "7 2=des", "7 3=dea", "7 4=del", "7 5=dec",
    "8 1=ell", "71 1=guj", "13 1=heb", "57 1=hin", "14 1=hun", "15 1=isl", "33 1=ind",
    "16 1=ita", "16 2=its", "17 1=jpn", "75 1=kdi", "96 2=(6002)", "63 1=kkz", "87 1=knk",
    "18 1=kor", "38 1=lvi", "39 1=lth", "39 2=ltc", "47 1=mki", "62 1=msl", "62 2=msb",
    "76 1=mym", "88 1=(58)", "78 1=mar", "97 2=(6102)", "20 1=nor", "20 2=non", "72 1=ori",
    "21 1=plk", "22 2=ptg", "22 1=ptb", "70 1=pan", "24 1=rom", "25 1=rus", "79 1=san",
    "26 2=srl", "26 3=srb", "89 1=(59)", "27 1=sky", "36 1=slv",
    "10 1=esp", "10 2=esm", "10 3=esn", "10 4=esg", "10 5=esc", "10 6=esa", "10 7=esd",
    "10 8=esv", "10 9=eso", "10 10=esr", "10 11=ess", "10 12=esf", "10 13=esl", "10 14=esy",
    "10 15=esz", "10 16=esb", "10 17=ese", "10 18=esh", "10 19=esi", "10 20=esu",
    "65 1=swk", "29 1=sve", "29 2=svf", "73 1=tam", "68 1=ttt", "74 1=tel", "30 1=tha",
    "31 1=trk", "34 1=ukr", "32 1=urd", "32 2=uri", "67 1=uzb", "67 2=uzb", "42 1=vit",
};
static_assert(std::size(LanguageIds) == 139);

const QString LanguageSection = QStringLiteral("Language IDs");

QString writeLanguageTable()
{
    const QString path = AppFolder::file(QStringLiteral("POLOLID.ini"));
    TextFileWriter file(path, TextEncoding::Gb18030);
    file.lines().writeLine(u'[' + LanguageSection + u']');
    for (const char *entry : LanguageIds)
        file.lines().writeLine(QString::fromLatin1(entry));
    file.commit();
    return path;
}

}

void recogniseLanguagePair(const QString &first, const QString &second, QString &languagePair)
{
    cInifile ids(writeLanguageTable(), LanguageSection);
    if (first.isEmpty() || second.isEmpty())
        return;
    if (ids.value(first).isEmpty() || ids.value(second).isEmpty())
        return;
    languagePair = first + u'\t' + second;
}
