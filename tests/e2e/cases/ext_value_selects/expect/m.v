// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, s, i, j, u, r, t, x, c, e, f, g);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [7:0] b;
   input [2:0] s;
   input i;
   input [1:0] j;
   input [7:0] u;
   output r;
   output t;
   output x;
   output [8:0] c;
   output [3:0] e;
   output f;
   output g;
   wire [2:0] _net_0;
   wire [2:0] _net_1;
   wire [2:0] _net_2;

   assign r = a[s];

   assign t = a[_net_0];

   assign x = (a[s]&b[_net_1]);

   assign c = ({a[s],a});

   assign e = ({{3{a[s]}},a[s]});

   assign f = a[_net_2];

   assign g = (a<(b>u));

   assign _net_0 = ({i,j});

   assign _net_1 = (s+3'b001);

   assign _net_2 = b[2:0];
endmodule
