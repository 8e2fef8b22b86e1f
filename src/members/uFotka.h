#pragma once

#include <QString>

// The photo folder of the member register: DataDir + "fotky/".
QString PhotoDir();
// The picture shown when a person has none or the file is missing.
QString DefaultPhotoPath();
// Takes a picture the user chose into the photo folder and returns the file
// name to store. A picture already in the folder is used as it is. Another
// one is copied under its own name, unless a different file of that name is
// there already (another person's photo, the default picture): then under
// the first free name "name_2.ext", "name_3.ext", … An identical file of that
// name is reused. Empty when the file is missing or cannot be copied.
QString ImportPhoto(const QString& path);
