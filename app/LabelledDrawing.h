#pragma once
// The structure's drawing beside the fields, with the eight dimension labels
// of the statement written where the printed page writes them. The picture
// and the labels are placed by the page layout, scaled as one to the widget:
// the part of the page around the drawing that the labels reach is shown.
#include "PageLayout.h"
#include "Section.h"

#include <QLabel>
#include <QStringList>
#include <optional>

class TDrawingLabel : public QLabel {
    Q_OBJECT
  public:
    explicit TDrawingLabel(QWidget* parent = nullptr);

    // Statement lines 12-19 and the mode that places them; fewer than eight
    // lines leave the rest blank.
    void SetLabels(const QStringList& labels, StructureMode mode);
    void ClearLabels();

    // The section drawn to scale from the item's dimensions (寸法図), shown in
    // place of the picture and its labels (標準図) while SectionShown().
    void SetSection(std::optional<engine::section::Drawing> section);
    void ShowSection(bool on);
    bool SectionShown() const { return sectionShown_; }
    const std::optional<engine::section::Drawing>& Section() const { return section_; }
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
    std::optional<engine::section::Drawing> section_;
    bool sectionShown_ = false;
};
