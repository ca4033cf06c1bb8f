#pragma once
// The picture window: the drawing's bitmap, the requested width and height,
// and the two mirror boxes that show the drawn view.

#include <QWidget>

namespace orlenza::app {

class Application;
class ImageView;

class ImageWindowView : public QWidget {
  Q_OBJECT
 public:
  explicit ImageWindowView(Application& app);
  ~ImageWindowView() override;

  ImageView& imageView() const { return *m_view; }
  void setTooltipsShown(bool shown);
  void bringToFront();

 private:
  void refreshFromModel();

  Application& m_app;
  ImageView* m_view = nullptr;
};

}  // namespace orlenza::app
