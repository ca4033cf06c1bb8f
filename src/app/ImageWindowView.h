#pragma once
// The picture window: the drawing's picture, the width and height to draw it
// at, and the two mirror boxes that show the drawn view.

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QScrollArea;

namespace orlenza::app {

class Application;
class ImageView;

class ImageWindowView : public QWidget {
  Q_OBJECT
 public:
  explicit ImageWindowView(Application& app);
  ~ImageWindowView() override;

  ImageView& imageView() const { return *m_view; }
  QLineEdit& widthField() const { return *m_width; }
  QLineEdit& heightField() const { return *m_height; }
  void bringToFront();

 private:
  void refreshFromModel();
  void sizeFieldsEdited();
  void fitToPicture();

  Application& m_app;
  QScrollArea* m_scroll = nullptr;
  ImageView* m_view = nullptr;
  QLineEdit* m_width = nullptr;
  QLineEdit* m_height = nullptr;
  QCheckBox* m_flipH = nullptr;
  QCheckBox* m_flipV = nullptr;
  QSize m_pictureSize;
};

}  // namespace orlenza::app
