"""A stand-in for MiniSom with the parts the bridge uses.

MiniSom(x, y, input_len, topology=...) holds x-by-y units; unit (i, j) lies
at (i, j), with the hexagonal topology every other row, counted from the last
(j = y - 1, y - 3, ...), half a cell to the left and the rows sqrt(3)/2
apart.  The weights are random until the caller sets them in the array
get_weights() returns, as MiniSom's own initialisations do.
"""
import numpy


class MiniSom:
    def __init__(self, x, y, input_len, topology="rectangular", random_seed=None):
        self.topology = topology
        self._random_generator = numpy.random.RandomState(random_seed)
        self._weights = self._random_generator.rand(x, y, input_len)
        self._xx, self._yy = numpy.meshgrid(numpy.arange(x), numpy.arange(y))
        self._xx = self._xx.astype(float)
        self._yy = self._yy.astype(float)
        if topology == "hexagonal":
            self._xx[::-2] -= 0.5
            self._yy *= numpy.sqrt(3) / 2

    def get_weights(self):
        return self._weights

    def get_euclidean_coordinates(self):
        return self._xx.T, self._yy.T

    def winner(self, x):
        distances = numpy.linalg.norm(self._weights - x, axis=-1)
        return numpy.unravel_index(distances.argmin(), distances.shape)
