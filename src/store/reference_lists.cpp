#include "reference_lists.h"

namespace velmor::store {

using namespace Qt::Literals::StringLiterals;

const QStringList& compairlist() {
    static const QStringList names{
        u"الفاتحة"_s,  u"البقرة"_s,  u"آل عمران"_s,  u"النساء"_s,   u"المائدة"_s,  u"الأنعام"_s,
        u"الأعراف"_s,  u"الأنفال"_s, u"التوبة"_s,    u"يونس"_s,     u"هود"_s,      u"يوسف"_s,
        u"الرعد"_s,    u"إبراهيم"_s, u"الحجر"_s,     u"النحل"_s,    u"الإسراء"_s,  u"الكهف"_s,
        u"مريم"_s,     u"طه"_s,      u"الأنبياء"_s,  u"الحج"_s,     u"المؤمنون"_s, u"النور"_s,
        u"الفرقان"_s,  u"الشعراء"_s, u"النمل"_s,     u"القصص"_s,    u"العنكبوت"_s, u"الروم"_s,
        u"لقمان"_s,    u"السجدة"_s,  u"الأحزاب"_s,   u"سبأ"_s,      u"فاطر"_s,     u"يس"_s,
        u"الصافات"_s,  u"صـ"_s,      u"الزمر"_s,     u"غافر"_s,     u"فصلت"_s,     u"الشورى"_s,
        u"الزخرف"_s,   u"الدخان"_s,  u"الجاثية"_s,   u"الأحقاف"_s,  u"محمد"_s,     u"الفتح"_s,
        u"الحجرات"_s,  u"قـ"_s,      u"الذاريات"_s,  u"الطور"_s,    u"النجم"_s,    u"القمر"_s,
        u"الرحمن"_s,   u"الواقعة"_s, u"الحديد"_s,    u"المجادلة"_s, u"الحشر"_s,    u"الممتحنة"_s,
        u"الصف"_s,     u"الجمعة"_s,  u"المنافقون"_s, u"التغابن"_s,  u"الطلاق"_s,   u"التحريم"_s,
        u"الملك"_s,    u"القلم"_s,   u"الحاقة"_s,    u"المعارج"_s,  u"نوح"_s,      u"الجن"_s,
        u"المزّمِّل"_s,   u"المدّثر"_s,  u"القيامة"_s,   u"الإنسان"_s,  u"المرسلات"_s, u"النبأ"_s,
        u"النازعات"_s, u"عبس"_s,     u"التكوير"_s,   u"الإنفطار"_s, u"المطففين"_s, u"الانشقاق"_s,
        u"البروج"_s,   u"الطارق"_s,  u"الأعلى"_s,    u"الغاشية"_s,  u"الفجر"_s,    u"البلد"_s,
        u"الشمس"_s,    u"الليل"_s,   u"الضحى"_s,     u"الشرح"_s,    u"التين"_s,    u"العلق"_s,
        u"القدر"_s,    u"البينة"_s,  u"الزلزلة"_s,   u"العاديات"_s, u"القارعة"_s,  u"التكاثر"_s,
        u"العصر"_s,    u"الهُمَزَة"_s,  u"الفيل"_s,     u"قريش"_s,     u"الماعون"_s,  u"الكوثر"_s,
        u"الكافرون"_s, u"النصر"_s,   u"المسد"_s,     u"الإخلاص"_s,  u"الفلق"_s,    u"الناس"_s,
    };
    return names;
}

const QStringList& soraayanumlist() {
    static const QStringList counts{
        u"7 "_s,  u"286"_s, u"200"_s, u"176"_s, u"120"_s, u"165"_s, u"206"_s, u"75"_s,  u"129"_s,
        u"109"_s, u"123"_s, u"111"_s, u"43"_s,  u"52"_s,  u"99"_s,  u"128"_s, u"111"_s, u"110"_s,
        u"98"_s,  u"135"_s, u"112"_s, u"78"_s,  u"118"_s, u"64"_s,  u"77"_s,  u"227"_s, u"93"_s,
        u"88"_s,  u"69"_s,  u"60"_s,  u"34"_s,  u"30"_s,  u"73"_s,  u"54"_s,  u"45"_s,  u"83"_s,
        u"182"_s, u"88"_s,  u"75"_s,  u"85"_s,  u"54"_s,  u"53"_s,  u"89"_s,  u"59"_s,  u"37"_s,
        u"35"_s,  u"38"_s,  u"29"_s,  u"18"_s,  u"45"_s,  u"60"_s,  u"49"_s,  u"62"_s,  u"55"_s,
        u"78"_s,  u"96"_s,  u"29"_s,  u"22"_s,  u"24"_s,  u"13"_s,  u"14"_s,  u"11"_s,  u"11"_s,
        u"18"_s,  u"12"_s,  u"12"_s,  u"30"_s,  u"52"_s,  u"52"_s,  u"44"_s,  u"28"_s,  u"28"_s,
        u"20"_s,  u"56"_s,  u"40"_s,  u"31"_s,  u"50"_s,  u"40"_s,  u"46"_s,  u"42"_s,  u"29"_s,
        u"19"_s,  u"36"_s,  u"25"_s,  u"22"_s,  u"17"_s,  u"19"_s,  u"26"_s,  u"30"_s,  u"20"_s,
        u"15"_s,  u"21"_s,  u"11"_s,  u"8 "_s,  u"8 "_s,  u"19"_s,  u"5 "_s,  u"8 "_s,  u"8 "_s,
        u"11"_s,  u"11"_s,  u"8 "_s,  u"3 "_s,  u"9 "_s,  u"5 "_s,  u"4 "_s,  u"7 "_s,  u"3 "_s,
        u"6 "_s,  u"3 "_s,  u"5 "_s,  u"4 "_s,  u"5 "_s,  u"6 "_s,
    };
    return counts;
}

const QStringList& typelist() {
    static const QStringList kinds{
        u"مكية"_s,  u"مدنية"_s, u"مدنية"_s, u"مدنية"_s, u"مدنية"_s, u"مكية"_s,  u"مكية"_s,
        u"مدنية"_s, u"مدنية"_s, u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مدنية"_s, u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,
        u"مدنية"_s, u"مكية"_s,  u"مدنية"_s, u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مدنية"_s, u"مكية"_s,  u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مدنية"_s, u"مدنية"_s, u"مدنية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مدنية"_s, u"مدنية"_s,
        u"مدنية"_s, u"مدنية"_s, u"مدنية"_s, u"مدنية"_s, u"مدنية"_s, u"مدنية"_s, u"مدنية"_s,
        u"مدنية"_s, u"مدنية"_s, u"مدنية"_s, u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مدنية"_s, u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مدنية"_s,
        u"مدنية"_s, u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مكية"_s,  u"مدنية"_s, u"مكية"_s,  u"مكية"_s,
        u"مكية"_s,  u"مكية"_s,
    };
    return kinds;
}

const QStringList& pickerSuraNames() {
    // The result lines' names without their vowel and shadda marks; the
    // tatweel of 38 and 50 is a letter and stays.
    static const QStringList names = [] {
        QStringList unmarked;
        for (const QString& name : compairlist()) {
            QString bare;
            for (const QChar c : name) {
                if (c.category() != QChar::Mark_NonSpacing) {
                    bare.append(c);
                }
            }
            unmarked.append(bare);
        }
        return unmarked;
    }();
    return names;
}

} // namespace velmor::store
