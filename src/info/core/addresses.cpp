#include "addresses.h"

#include "info_config.h"

#include <QStringList>

namespace velmor {

QString webAddress() {
    return QStringLiteral(VELMOR_WEB_URL);
}

QString contactAddress() {
    return QStringLiteral(VELMOR_CONTACT_EMAIL);
}

QString updateAddress() {
    const QString overridden = qEnvironmentVariable("VELMOR_UPDATE_URL");
    return overridden.isEmpty() ? QStringLiteral(VELMOR_UPDATE_URL) : overridden;
}

QString noticeForDisplay(const QString& notice) {
    constexpr qsizetype kLongestLine = 1000;
    const QStringList lines =
        QString(notice).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    QStringList shown;
    for (QString line : lines) {
        while (line.size() > kLongestLine) {
            const qsizetype blank = line.lastIndexOf(u' ', kLongestLine);
            const qsizetype cut = blank > 0 ? blank : kLongestLine;
            shown.append(line.left(cut));
            line.remove(0, blank > 0 ? cut + 1 : cut);
        }
        shown.append(line);
    }
    return shown.join(u'\n');
}

QString notesText() {
    const QStringList paragraphs{
        QStringLiteral("برنامج Velmor - في القرآن الكريم"),
        QStringLiteral(
            "نتقدم بالشكر الجزيل إلى مشروع تنزيل (Tanzil Project) الذي أتاح نص القرآن الكريم "
            "المدقق الذي تحمله قاعدة بيانات البرنامج، وموقعه: https://tanzil.net"),
        QStringLiteral(
            "ونشكر القائمين على نشر التفسير الميسر، الصادر عن مجمع الملك فهد لطباعة المصحف "
            "الشريف، وتفسير الجلالين، لجلال الدين المحلي وجلال الدين السيوطي، اللذين تحملهما "
            "قاعدة البيانات في نشرة مشروع تنزيل للترجمات: "
            "https://tanzil.net/trans (الحزمة @ghoran/translation)؛ وشروط تنزيل للترجمات تبيح "
            "نشرها في غير الأغراض التجارية مع ذكر مصدرها، وبرنامج Velmor مجاني لا يباع."),
        QStringLiteral(
            "ونشكر مجمع الملك فهد لطباعة المصحف الشريف على نص القرآن الكريم بالرسم العثماني "
            "برواية حفص، الذي تحمله قاعدة البيانات كما نشره دون تغيير، وعلى خط المصحف "
            "KFGQPC HAFS Uthmanic Script الذي يعرض البرنامج به هذا الرسم: ترخيصه يبيح "
            "استعماله ونسخه وتوزيعه مجانًا، ولا يبيح بيعه ولا تعديله، والبرنامج يحمله كما هو "
            "ولا يثبته في النظام."),
        QStringLiteral("ويعرض البرنامج النص بخط Noto Naskh Arabic (من مشروع Noto) وخلفه خط Amiri "
                       "(لخالد حسني)، وكلاهما بترخيص SIL Open Font License 1.1."),
        QStringLiteral(
            "ملاحظة : لقد عمل القائمون على قاعدة البيانات ليكون نصها أدق ما يمكن، وراجعوه أكثر "
            "من مرة، ولكن لا أحد معصوم من الخطأ؛ فإن وجدت خطأً، ولو في حركة واحدة، فنرجو أن "
            "تبلغنا به حتى نصحح قاعدة بيانات البرنامج والموقع."),
        QStringLiteral(
            "نرجو أن تتابع التحديثات باستمرار، لتطلع على أحدث الإصدارات وآخر المعلومات عن "
            "البرنامج وقاعدة بياناته."),
        QStringLiteral("ولا تنسوا القائمين على البرنامج وأصحاب الموقع من صالح دعائكم."),
    };
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

} // namespace velmor
