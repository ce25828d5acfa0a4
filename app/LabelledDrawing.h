#pragma once
// The structure's drawing beside the fields, with the eight dimension labels
// of the statement written where the printed page writes them. The picture
// and the labels are placed by the page layout, scaled as one to the widget:
// the part of the page around the drawing that the labels reach is shown.
#include "PageLayout.h"

#include <QLabel>
#include <QStringList>

class TDrawingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TDrawingLabel(QWidget* parent = nullptr);

    // Statement lines 12-19 and the mode that places them; fewer than eight
    // lines leave the rest blank.
    void SetLabels(const QStringList& labels, StructureMode mode);
    void ClearLabels();
    QStringList Labels() const { return labels_; }
    StructureMode Mode() const { return mode_; }

    // Where the picture is drawn, in widget coordinates.
    QRect DrawingRect() const;
    // Top-left corner of label `line` (12-19) in widget coordinates.
    QPoint LabelPos(int line) const;
    // The label font at the present scale.
    QFont LabelFont() const;

  signals:
    // The drawing's place changed size: the picture should be scaled anew.
    void DrawingResized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    double Scale() const;
    QPoint ToWidget(QPoint paper) const;

    QStringList labels_;
    StructureMode mode_ = StructureMode::Wall;
};
