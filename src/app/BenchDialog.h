#pragma once
// Option > "Bench generator...": where the generator is and the levels the procedures set.
// "Test connection" asks the instrument who it is (*IDN?) on the generator's own thread, so the
// window stays alive while a slow or absent instrument runs into its time-out.

#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <memory>

#include "instrument/BenchOptions.h"
#include "instrument/GeneratorWorker.h"

namespace qxt::app {

class BenchDialog : public QDialog {
  Q_OBJECT

 public:
  BenchDialog(const instrument::BenchOptions& options, QWidget* parent = nullptr);
  ~BenchDialog() override;

  // The options as the fields have them.
  instrument::BenchOptions options() const;
  QLineEdit* generatorField() const { return generator_; }
  QPushButton* testButton() const { return test_; }
  QLabel* answer() const { return answer_; }

  void accept() override;

 private:
  void Test();
  void Poll();
  QDoubleSpinBox* Level(double value, double lowest);

  instrument::BenchOptions base_;
  QLineEdit* generator_;
  QDoubleSpinBox *bpf_, *s3_, *s1_, *loss_, *max_;
  QSpinBox* settle_;
  QLineEdit *setup_, *sequence_;
  QPushButton* test_;
  QLabel* answer_;
  QTimer poll_;
  std::unique_ptr<instrument::GeneratorWorker> tester_;
};

}  // namespace qxt::app
