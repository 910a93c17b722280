// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, o, p, q);
   input m_clock;
   input p_reset;
   input [3:0] a;
   output [7:0] o;
   output [7:0] p;
   output [3:0] q;

   assign o = ({a,4'b1111});

   assign p = (8'b11111000|8'b00000001);

   assign q = 4'b0000;
endmodule
