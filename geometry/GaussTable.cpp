// The Gauss-Legendre rules of 1 to kGaussNodes nodes on [-1, 1] as Boost.Math
// has them in boost::math::quadrature::gauss<double, N>: for each N its
// nodes x >= 0, ascending (each x > 0 stands for -x too), with their weights.
// Boost keeps tables for 7, 10, 15 and 20 nodes and finds the others at run
// time by Newton's method on the Legendre polynomials; written out here (as
// hexadecimal floating-point literals, exact to the bit) so that no root
// finder runs, or is carried by the page, for 220 numbers that never change.
// LengthRulesTest compares every one with Boost's own.

#include "GaussTable.h"

#include <array>
#include <cstddef>

#include "Arithmetic.h"

namespace geometry::detail {

namespace {

constexpr std::array<GaussNode, 110> kNodes{{
    // 1
    {0x0p+0, 0x1p+1},
    // 2
    {0x1.279a74590331cp-1, 0x1p+0},
    // 3
    {0x0p+0, 0x1.c71c71c71c71cp-1},
    {0x1.8c97ef43f7248p-1, 0x1.1c71c71c71c71p-1},
    // 4
    {0x1.5c23fd9dd3dfdp-2, 0x1.4de5f840c24cap-1},
    {0x1.b8e6dbcf63985p-1, 0x1.64340f7e7b66bp-2},
    // 5
    {0x0p+0, 0x1.23456789abcdfp-1},
    {0x1.13b23fd99b705p-1, 0x1.ea1da25ae415bp-2},
    {0x1.cff6ce0533a69p-1, 0x1.e539ec36e038dp-3},
    // 6
    {0x1.e8b12d03675c6p-3, 0x1.df24d499545e8p-2},
    {0x1.528a09655c95fp-1, 0x1.716b7b5794c1bp-2},
    {0x1.dd6ca4e80a01ep-1, 0x1.5edf601e2dbf4p-3},
    // 7
    {0x0p+0, 0x1.abfd7e03c2fa6p-2},
    {0x1.9f95df119fd62p-2, 0x1.86fe74ee32b3dp-2},
    {0x1.7ba9f9be3a1d6p-1, 0x1.1e6b1713d8644p-2},
    {0x1.e5f178e7c6229p-1, 0x1.092f69f826d57p-3},
    // 8
    {0x1.77ac94f3c7345p-3, 0x1.736360b199343p-2},
    {0x1.0d129583284b4p-1, 0x1.413c50a255616p-2},
    {0x1.97e4ab249f41fp-1, 0x1.c76fb531d2b92p-3},
    {0x1.ebab1cb0acc67p-1, 0x1.9ea1d04ca0368p-4},
    // 9
    {0x0p+0, 0x1.522a43f65486ap-2},
    {0x1.4c0916e48aa66p-2, 0x1.3fd7e9838d511p-2},
    {0x1.3a0bd2077fd8dp-1, 0x1.0add87c827506p-2},
    {0x1.ac0c44f0d0299p-1, 0x1.71f7a9b222be7p-3},
    {0x1.efb2b2ebf2106p-1, 0x1.4ce65f803eef7p-4},
    // 10
    {0x1.30e507891e27ap-3, 0x1.2e9de7014d6efp-2},
    {0x1.bbcc009016adcp-2, 0x1.13baa7a559bfep-2},
    {0x1.5bdb9228de198p-1, 0x1.c0b059d00bc31p-3},
    {0x1.bae995e9cb2f3p-1, 0x1.32138c878efe5p-3},
    {0x1.f2a3e062af2d8p-1, 0x1.1115f8b62dc1fp-4},
    // 11
    {0x0p+0, 0x1.1779ac87e04d6p-2},
    {0x1.14031efeb42c1p-2, 0x1.0d1ca26fa591p-2},
    {0x1.09c6f7c4d8ce1p-1, 0x1.dd94b1446e05ep-3},
    {0x1.75d67bd21944ap-1, 0x1.7d85b8dbff199p-3},
    {0x1.c62d11af04753p-1, 0x1.013047def88ccp-3},
    {0x1.f4da62fd7e9b5p-1, 0x1.c8097265bb92cp-5},
    // 12
    {0x1.007a5f8f630e4p-3, 0x1.fe40ce6d4f025p-3},
    {0x1.78a8d20a8b19dp-2, 0x1.de3155c256ab6p-3},
    {0x1.2cb4f05c077f9p-1, 0x1.a0163e6b1ab72p-3},
    {0x1.8a30aeed88f36p-1, 0x1.47d7258f22d9p-3},
    {0x1.cee874ffb88b4p-1, 0x1.b60602bce617ep-4},
    {0x1.f68f1d8e42e81p-1, 0x1.8275d9dea6d8dp-5},
    // 13
    {0x0p+0, 0x1.dc43fd1e15b8ep-3},
    {0x1.d7fa8790f2c49p-3, 0x1.cf6d8e56e9815p-3},
    {0x1.cb41af08c747ap-2, 0x1.a99b75be0a123p-3},
    {0x1.48e2033b01c61p-1, 0x1.6cd7ccca4a8d3p-3},
    {0x1.9a687189c785p-1, 0x1.1c69b70565cd5p-3},
    {0x1.d5cf75170c9dep-1, 0x1.795464d0fbf56p-4},
    {0x1.f7e6d7629661cp-1, 0x1.4ba51c8f4cecbp-5},
    // 14
    {0x1.ba97d36de76aep-4, 0x1.b8dc415514e35p-3},
    {0x1.46c564912d702p-2, 0x1.a43f1796fab09p-3},
    {0x1.07ceab54ef096p-1, 0x1.7bfb8e2a8f57ep-3},
    {0x1.5fe4db09e0c89p-1, 0x1.41f3bbee2d2f2p-3},
    {0x1.a786ee46dd9c4p-1, 0x1.f1bd74ef611cp-4},
    {0x1.db5bd12b99eap-1, 0x1.4853d8adc7034p-4},
    {0x1.f8fa30fddab0bp-1, 0x1.1fb2d8b27f55ap-5},
    // 15
    {0x0p+0, 0x1.9ee1575f9c98p-3},
    {0x1.9c0ba62ef04b5p-3, 0x1.96633f1fd02cep-3},
    {0x1.939c69257d6b6p-2, 0x1.7d41fa76dc267p-3},
    {0x1.245676f08f3a4p-1, 0x1.5484f30a86ed1p-3},
    {0x1.72e6e181ab3c4p-1, 0x1.1dd73b4963161p-3},
    {0x1.b248221fffd63p-1, 0x1.b6ec9635f1146p-4},
    {0x1.dfe24c4f8b448p-1, 0x1.2038260b5d026p-4},
    {0x1.f9da27c32e6dp-1, 0x1.f7dc7227a291bp-6},
    // 16
    {0x1.852bd6676a9f9p-4, 0x1.83feae80e4dfbp-3},
    {0x1.205cae642337cp-2, 0x1.75f8c77e0c01p-3},
    {0x1.d50259a43a772p-2, 0x1.5a6ebbb5a75fcp-3},
    {0x1.3c5a466d5e8b8p-1, 0x1.325f61bca3cbep-3},
    {0x1.82c45dda4726bp-1, 0x1.fe7af2bad3869p-4},
    {0x1.bb3403514e483p-1, 0x1.85c4ee79cc258p-4},
    {0x1.e39f56616f9bp-1, 0x1.fdfb1a2c1265ap-5},
    {0x1.fa92c264d787ep-1, 0x1.bcddab4b7c218p-6},
    // 17
    {0x0p+0, 0x1.6f81a18c80154p-3},
    {0x1.6d891d5306223p-3, 0x1.6999b529f4c56p-3},
    {0x1.67a94ca56739ep-2, 0x1.581288e2d8ab9p-3},
    {0x1.067f5fc3829bap-1, 0x1.3b7c580f4c73ap-3},
    {0x1.50ba4630b7585p-1, 0x1.14c260589486bp-3},
    {0x1.90229a80349f6p-1, 0x1.ca46b78a575fbp-4},
    {0x1.c2aeb4d3d50ddp-1, 0x1.5c4edd40005e4p-4},
    {0x1.e6bef126358d5p-1, 0x1.c653101d35df6p-5},
    {0x1.fb2cb56d63e14p-1, 0x1.8ba552c4c1979p-6},
    // 18
    {0x1.5b3d0b4884001p-4, 0x1.5a6752598dbdap-3},
    {0x1.01ee7676a1ae3p-2, 0x1.507030698595dp-3},
    {0x1.a5a218b24aaccp-2, 0x1.3ccb51a6e0a73p-3},
    {0x1.1e9a48496f47ep-1, 0x1.2009647765816p-3},
    {0x1.6224cdda05b6ep-1, 0x1.f5fc72cc7c307p-4},
    {0x1.9b7f3764d70b6p-1, 0x1.9d7567a3a573p-4},
    {0x1.c90330c3df333p-1, 0x1.390a2fc0485c7p-4},
    {0x1.e961c1b84910dp-1, 0x1.9742f734750d2p-5},
    {0x1.fbae6e0470f68p-1, 0x1.622821caa204ap-6},
    // 19
    {0x0p+0, 0x1.49d6ea57ce6f4p-3},
    {0x1.486a1d153eb64p-3, 0x1.459174fbae09cp-3},
    {0x1.44296121b9d1fp-2, 0x1.38dd6714e5d79p-3},
    {0x1.dbb86eb38d8b3p-2, 0x1.240efb90355afp-3},
    {0x1.337aac969398fp-1, 0x1.07b02852b1e2cp-3},
    {0x1.71227a925a98cp-1, 0x1.c8fa1b5f341d8p-4},
    {0x1.a53adaff88a74p-1, 0x1.76be3dac75c88p-4},
    {0x1.ce6a735a6e10bp-1, 0x1.1ace735068374p-4},
    {0x1.eba067258b1aap-1, 0x1.6f1e3ecb55ab6p-5},
    {0x1.fc1cbff545011p-1, 0x1.3edca7fdf981bp-6},
    // 20
    {0x1.3973df98b86bp-4, 0x1.38d6c490a337p-3},
    {0x1.d281636928bcp-3, 0x1.31819b52c5992p-3},
    {0x1.7eaccf15652c4p-2, 0x1.230348f34a535p-3},
    {0x1.05905c13f7ff7p-1, 0x1.0db2c5db26dffp-3},
    {0x1.45a8d3fa710dbp-1, 0x1.e41ff31573b48p-4},
    {0x1.7e1f37346a54ep-1, 0x1.a1817a317a821p-4},
    {0x1.ada0bd5efd6e7p-1, 0x1.5519fe196e24ap-4},
    {0x1.d31064173fd92p-1, 0x1.00b467df7e475p-4},
    {0x1.ed8dba7bd769fp-1, 0x1.4c9b5ea53b67fp-5},
    {0x1.fc7b5a0c71cep-1, 0x1.209680274e8afp-6},
}};

}  // namespace

std::span<const GaussNode> BoostGaussRule(int nodes) {
  if (nodes < 1 || nodes > kGaussNodes) throw Error(ErrorKind::SubscriptOutOfRange);
  // Rules of N nodes keep ceil(N / 2) of them, so those before `nodes` fill
  // the sum of ceil(N / 2) over N < nodes.
  std::size_t start = 0;
  for (int n = 1; n < nodes; ++n) start += static_cast<std::size_t>((n + 1) / 2);
  return std::span<const GaussNode>(kNodes).subspan(start,
                                                    static_cast<std::size_t>((nodes + 1) / 2));
}

}  // namespace geometry::detail
