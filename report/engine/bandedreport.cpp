#include "report/engine/bandedreport.h"

namespace {

// Heights are sums of fractional points; a band that fits to within this counts as fitting.
constexpr qreal kSlack = 0.01;

}  // namespace

// One generation: places the bands page by page into a document.
class TRptLayoutPass {
 public:
  TRptLayoutPass(TBandedReport& report, const QPageLayout& layout, QDateTime generatedAt)
      : report_(report), document_(layout), generatedAt_(std::move(generatedAt)) {
    pageHeight_ = layout.paintRect(QPageLayout::Point).height();
    const qreal footer = report.footer_ ? report.footer_->Height() : 0;
    // A footer may not take the page over: half the page always stays for the bands.
    bodyBottom_ = std::max(pageHeight_ - footer, pageHeight_ / 2);
  }

  TRptDocument Run() {
    StartPage();
    if (report_.title_ && report_.title_->RunBeforePrint()) {
      PlaceBand(*report_.title_);
    }
    bodyTop_ = y_;
    if (report_.needData_) {
      while (report_.needData_()) {
        PlaceDetails();
      }
    } else {
      PlaceDetails();
    }
    EndPage();
    return std::move(document_);
  }

 private:
  bool PageFresh() const { return y_ <= bodyTop_ + kSlack; }
  qreal Available() const { return bodyBottom_ - y_; }
  // The room a page without the title offers.
  qreal FullBody() const { return bodyBottom_; }

  void StartPage() {
    document_.AddPage();
    ++page_;
    y_ = 0;
    bodyTop_ = 0;
  }

  void EndPage() {
    TRptBand* footer = report_.footer_.get();
    if (footer != nullptr && footer->RunBeforePrint()) {
      PlaceSlice(*footer, bodyBottom_, 0, footer->Height());
    }
  }

  void NewPage() {
    EndPage();
    StartPage();
  }

  void PlaceDetails() {
    for (const auto& band : report_.details_) {
      PlaceGroup(*band);
    }
  }

  void PlaceGroup(TRptBand& master) {
    if (!master.RunBeforePrint()) {
      return;  // its linked bands go with it
    }
    std::vector<TRptBand*> group{&master};
    CollectLinked(master, group);
    qreal total = 0;
    for (const TRptBand* band : group) {
      total += band->Height();
    }
    if (total > Available() + kSlack && !PageFresh() && total <= FullBody() + kSlack) {
      NewPage();
    }
    for (TRptBand* band : group) {
      PlaceBand(*band);
    }
  }

  // The linked bands that print, each followed by its own linked bands.
  static void CollectLinked(TRptBand& band, std::vector<TRptBand*>& group) {
    for (const auto& linked : band.Linked()) {
      if (linked->RunBeforePrint()) {
        group.push_back(linked.get());
        CollectLinked(*linked, group);
      }
    }
  }

  // Places a band below the last one; a band that does not fit goes to the next page, and one
  // taller than a page is cut across as many pages as it needs.
  void PlaceBand(TRptBand& band) {
    const qreal height = band.Height();
    if (height <= 0) {
      return;
    }
    if (height > Available() + kSlack && !PageFresh() && height <= FullBody() + kSlack) {
      NewPage();
    }
    qreal from = 0;
    for (;;) {
      if (height - from <= Available() + kSlack) {
        PlaceSlice(band, y_, from, height - from);
        y_ += height - from;
        return;
      }
      qreal cut = band.CutAtOrBefore(from, from + Available());
      if (cut <= from) {
        if (!PageFresh()) {
          NewPage();
          continue;
        }
        cut = from + Available();  // no allowed cut fits even a whole page: cut where it ends
      }
      PlaceSlice(band, y_, from, cut - from);
      from = cut;
      NewPage();
    }
  }

  void PlaceSlice(const TRptBand& band, qreal top, qreal from, qreal height) {
    TRptPlacedBand placed;
    placed.Name = band.Name();
    placed.Top = top;
    placed.SliceTop = from;
    placed.SliceHeight = height;
    placed.Sliced = from > 0 || height < band.Height() - kSlack;
    const TRptPrintContext context{page_, generatedAt_};
    for (const auto& source : band.Items()) {
      if (!source->Visible) {
        continue;
      }
      TRptItem item = *source;
      item.OnPrint = nullptr;
      if (item.Kind == TRptItemKind::DateTime) {
        item.Text += generatedAt_.toString(item.Format);
      } else if (item.Kind == TRptItemKind::PageNumber) {
        item.Text += QString::number(page_);
      } else if (item.Kind == TRptItemKind::Label && source->OnPrint) {
        source->OnPrint(context, item.Text);
      }
      placed.Items.push_back(std::move(item));
    }
    document_.Place(std::move(placed));
  }

  TBandedReport& report_;
  TRptDocument document_;
  QDateTime generatedAt_;
  qreal pageHeight_ = 0;
  qreal bodyTop_ = 0;     // below the title on the first page, the top on the others
  qreal bodyBottom_ = 0;  // above the page footer
  qreal y_ = 0;
  int page_ = 0;
};

TRptBand& TBandedReport::SetTitleBand(const QString& name, qreal height) {
  title_ = std::make_unique<TRptBand>(name, height);
  return *title_;
}

TRptBand& TBandedReport::SetPageFooterBand(const QString& name, qreal height) {
  footer_ = std::make_unique<TRptBand>(name, height);
  return *footer_;
}

TRptBand& TBandedReport::AddDetailBand(const QString& name, qreal height) {
  details_.push_back(std::make_unique<TRptBand>(name, height));
  return *details_.back();
}

namespace {

TRptBand* FindIn(TRptBand* band, const QString& name) {
  if (band == nullptr) {
    return nullptr;
  }
  if (band->Name() == name) {
    return band;
  }
  for (const auto& linked : band->Linked()) {
    if (TRptBand* found = FindIn(linked.get(), name)) {
      return found;
    }
  }
  return nullptr;
}

}  // namespace

TRptBand* TBandedReport::FindBand(const QString& name) {
  if (TRptBand* found = FindIn(title_.get(), name)) {
    return found;
  }
  if (TRptBand* found = FindIn(footer_.get(), name)) {
    return found;
  }
  for (const auto& band : details_) {
    if (TRptBand* found = FindIn(band.get(), name)) {
      return found;
    }
  }
  return nullptr;
}

TRptDocument TBandedReport::Generate(const QPageLayout& layout) {
  const QDateTime at = generatedAt_.isValid() ? generatedAt_ : QDateTime::currentDateTime();
  return TRptLayoutPass(*this, layout, at).Run();
}
