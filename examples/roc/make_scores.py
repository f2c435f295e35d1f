#!/usr/bin/env python3
"""Makes breast_cancer_scores.txt, the rocplot example: scores of a real classifier.

The Wisconsin diagnostic breast cancer data (569 cases, 30 features) ships with
Debian's python3-sklearn.  A logistic regression on standardised features
scores every case by 10-fold cross-validation, so each score comes from a model
that never saw that case.  Each line holds the predicted probability of a
malignant tumour and the observed class (1 malignant, 0 benign).

Run with Debian's python3 (apt-get install python3-sklearn):
    /usr/bin/python3 make_scores.py > breast_cancer_scores.txt
"""
import sys

from sklearn.datasets import load_breast_cancer
from sklearn.linear_model import LogisticRegression
from sklearn.model_selection import StratifiedKFold, cross_val_predict
from sklearn.pipeline import make_pipeline
from sklearn.preprocessing import StandardScaler


def main():
    data = load_breast_cancer()
    malignant = (data.target == 0).astype(int)  # the data set codes malignant as 0
    model = make_pipeline(StandardScaler(), LogisticRegression(C=0.05, max_iter=1000))
    folds = StratifiedKFold(n_splits=10, shuffle=True, random_state=1)
    scores = cross_val_predict(model, data.data, malignant, cv=folds, method="predict_proba")[:, 1]
    for score, observed in zip(scores, malignant):
        sys.stdout.write(f"{score:.6f},{observed}\r\n")


if __name__ == "__main__":
    main()
