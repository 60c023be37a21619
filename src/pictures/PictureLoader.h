#pragma once
// Loading an exhibit picture by file name. The extension, compared without regard to case,
// chooses the format: bmp (Windows bitmap) and ico (icon) are read by Qt, wmf (Windows
// metafile) is drawn by libwmf and emf (enhanced metafile) by libemf2svg, both through SVG.
// Metafiles are drawn at 96 dots per inch.

#include <QPixmap>
#include <QString>

#include <stdexcept>

namespace pictures {

// A picture that could not be loaded; what() is the message for the error box.
class PictureError : public std::runtime_error {
public:
    explicit PictureError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The picture in the file `fileName` (a relative name is taken from the current directory),
// at its natural size. Throws PictureError:
//   "Unknown picture file extension (.<ext>)" for an extension other than the four known ones
//   (examined before the file is opened);
//   "Cannot open file <name>" for a file that is missing or cannot be read;
//   "Picture file <name> is not a valid <kind>" for a file whose content is not a picture of
//   the kind its extension names (empty, truncated, another format, too large);
//   "Cannot draw the text of Windows metafile <name>: no fonts for metafiles are installed
//   (fonts-urw-base35)" when libwmf cannot play a metafile and its fonts are missing.
QPixmap loadPicture(const QString& fileName);

// The picture held in `bytes`, read as the file `fileName` would be: its extension chooses
// the format, and the bytes pass the same checks. Throws PictureError as loadPicture does.
QPixmap pictureFromBytes(const QString& fileName, const QByteArray& bytes);

// Whether the fonts libwmf draws metafile text with are installed.
bool metafileFontsInstalled();

}  // namespace pictures
