#include "shell/about_text.h"

#include "common/number_text.h"
#include "version.h"

#include "version.h"

namespace mx {

QString versionText(int major, int minor, int revision)
{
    return QStringLiteral("Version ") + generalNumberText(major) + u'.' + generalNumberText(minor) + u'.' +
           generalNumberText(revision);
}

QString programVersionText()
{
    return versionText(version::kMajor, version::kMinor, version::kRevision);
}

QString aboutCaption()
{
    return QStringLiteral("About ") + QString::fromUtf8(version::kTitle);
}

QString licenceText()
{
    const QString title = QString::fromUtf8(version::kTitle);
    const QString maker = QString::fromUtf8(version::kCompanyName);
    const QString paragraphs[] = {
        title + u' ' + programVersionText() + QStringLiteral(". ") + QString::fromUtf8(version::kLegalNotice) +
            QStringLiteral(". All rights not granted below are reserved."),
        QStringLiteral("You may use this program free of charge, make copies of it, give those copies to others and "
                       "change the program and its files to suit your work, provided that every copy you pass on "
                       "carries this notice unchanged."),
        QStringLiteral("The conversion tables, the tips and the help pages that come with the program are yours to "
                       "edit; ") +
            maker + QStringLiteral(" makes no claim on the tables, notes or other files you create with the program."),
        QStringLiteral("The program is provided as it is, without any warranty, express or implied, that it is fit "
                       "for a particular purpose or free of errors. Check every result on which safety or money "
                       "depends; ") +
            maker + QStringLiteral(" accepts no liability for any loss or damage arising from its use."),
    };
    QString text;
    for (const QString& paragraph : paragraphs) {
        if (!text.isEmpty())
            text += QStringLiteral("\n\n");
        text += paragraph;
    }
    return text;
}

} // namespace mx
